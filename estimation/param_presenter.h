// The logic of the parameter dialog: what each field change does, coordinate
// entry with projection and depth estimate, setting a point from the map pick,
// undo, clear, start of a run and closing. The Win32 dialog procedure forwards
// its messages here and implements DialogFields and ParamDialogHost.
#pragma once

#include <optional>
#include <string>

#include "estimation/batch_estimation.h"
#include "estimation/case_report_reader.h"
#include "estimation/dialog_fields.h"
#include "estimation/field_checks.h"

namespace vornel {

// Control ids of the parameter dialog besides the numeric fields 1500 ... 1536.
namespace param_ids {
inline constexpr int kQuasiOffshoreFirst = 1500;  // lat d/m/s, lon d/m/s, depth
inline constexpr int kTheta = 1507;
inline constexpr int kHeight = 1508;
inline constexpr int kPeriod = 1509;
inline constexpr int kDirection = 1510;
inline constexpr int kRelativeDepth = 1511;
inline constexpr int kContourFirst = 1512;
inline constexpr int kThetaCon = 1519;
inline constexpr int kDiffractionFirst = 1520;
inline constexpr int kShoreNormal = 1527;
inline constexpr int kThetaDiff = 1528;
inline constexpr int kOffshoreFirst = 1530;
inline constexpr int kLastField = 1536;
inline constexpr int kTitle = 1539;
inline constexpr int kRelationList = 1601;
inline constexpr int kUndo = 1498;
inline constexpr int kClose = 1499;
inline constexpr int kSetKindFirst = 1700;  // 1700 + k: set point kind k from the map pick
inline constexpr int kClear = 1750;
inline constexpr int kDiffractionOn = 1800;
inline constexpr int kDiffractionOff = 1801;
}  // namespace param_ids

// What the dialog's logic needs beyond its own controls.
class ParamDialogHost {
public:
    virtual ~ParamDialogHost() = default;
    // Invalidate the whole main window with erasing: the markers read the points.
    virtual void redrawMap() = 0;
    // Send command 1499 to the open result dialog.
    virtual void closeResultDialog() = 0;
    // End the modal dialog with `result`.
    virtual void endDialog(int result) = 0;
};

class ParamPresenter {
public:
    ParamPresenter(DialogFields& dialog, ParamDialogHost& host) : dialog_(dialog), host_(host) {}

    // Opening, all but the placement: points not set, flags cleared, radio
    // buttons, relation list; records the dialog as open and closes an open
    // result dialog.
    void open();

    // A numeric field 1500 ... 1536 reported a change of its text.
    void onFieldChanged(int id);

    // WM_COMMAND ids other than change reports. Returns false for ids the
    // dialog does not handle.
    bool onCommand(int id);

    void setPointFromMap(int kind);
    void undo();
    void clear();
    void start();
    // The site of the case for a batch estimation, checked as start() checks
    // it without the wave; false after the message of a failed check.
    bool prepareBatch(BatchStart& out);
    void close(int result);
    void chooseDiffraction(int radioId);
    // A case read back from its CSV report (no box, no warning): every
    // field's text, the points projected with the data shown now while their
    // depths and angles stay the report's, h/L0 worked out again.
    void restoreCase(const ReopenedCase& saved);

    // Whether field `id` waits for the echo of the dialog's own write (tests).
    bool isProgramEdit(int id) const;

private:
    void programWrite(int id, const std::wstring& text);
    bool anyProgramEdit() const;
    // The title as the run sends it ("Test" for none); nullopt after the
    // message (under `caption`) for a title Shift_JIS cannot hold.
    std::optional<std::string> runTitle(const char* caption);
    void runHandler(int id, double value);
    void coordinateEntry(int kind, bool longitude);
    void readCoordinate(int kind, bool longitude);
    void storeProjected(int kind);
    void showPoint(int kind);
    void refreshRelativeDepth(double period);
    void refreshTheta();
    void writeShoreNormal();
    void onThetaDiffChanged();

    DialogFields& dialog_;
    ParamDialogHost& host_;
    int programEditFlags_[kParamFieldCount] = {};
};

}  // namespace vornel
