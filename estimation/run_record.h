// The case of the run on screen as it stood when 計算開始 ran: the parameter
// dialog's texts, the numbers the solver received, where the data came from
// and when it ran, the solver's response curves and the validity notes. The
// result dialog, its report and the sensitivity work from this copy, so that
// undoing a point, choosing other data or clearing the dialog afterwards can
// never put another case beside these results.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "estimation/dialog_fields.h"
#include "estimation/response_curves.h"
#include "estimation/solver_case.h"

namespace vornel {

// The dialog's texts frozen: reads as the dialog did, ignores writes.
class FieldSnapshot final : public DialogFields {
public:
    FieldSnapshot() = default;
    // Copies the texts of the controls `ids` (and the selected entry's text of
    // the lists among them) from `live`.
    FieldSnapshot(DialogFields& live, const std::vector<int>& ids);

    WindowRef window() override { return nullptr; }
    std::wstring text(int id) override;
    void setText(int, const std::wstring&) override {}
    bool isChecked(int) override { return false; }
    void setChecked(int, bool) override {}
    void setListEntries(int, const std::vector<std::wstring>&) override {}
    void selectListEntry(int, int) override {}
    int selectedListEntry(int) override { return -1; }

private:
    std::map<int, std::wstring> texts_;
};

struct RunRecord {
    bool valid = false;
    SolverCase solverCase;
    FieldSnapshot fields;         // the parameter dialog's texts
    bool diffractionOff = false;  // as the dialog's choice stood
    double offshoreDepth = 0.0;   // the wavelength of the estimated Smax is taken there
    double tipDistance = 0.0;     // breakwater tip to quasi-offshore point, m (NaN: not known)
    std::wstring dataSource;      // the bathymetry shown when it ran
    std::string runTime;          // local time, "YYYY-MM-DD hh:mm:ss"
    std::wstring solverVersion;   // the solver's file version, empty without one
    ResponseCurves curves;
    std::vector<std::string> notes;  // validity notes, UTF-8
};

// What the map shows when a run starts ("1/5万海図 鹿島港付近"): the shell
// installs it, the run records it.
using DataSourceDescriber = std::function<std::wstring()>;
void setDataSourceDescriber(DataSourceDescriber describer);
std::wstring describeDataSource();

// The record of the run on screen; replaced by each run whose output is read.
RunRecord& runRecord();
void resetRunRecord();

// The ids of the parameter dialog whose texts the report needs.
std::vector<int> reportFieldIds();

// The local time now as "YYYY-MM-DD hh:mm:ss".
std::string localTimeText();

}  // namespace vornel
