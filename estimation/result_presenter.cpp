#include "estimation/result_presenter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "bathymetry/spreading_relations.h"
#include "estimation/estimation_windows.h"
#include "estimation/messages.h"
#include "estimation/numeric_text.h"
#include "estimation/params.h"
#include "estimation/run_record.h"
#include "estimation/validity_notes.h"
#include "estimation/wave.h"
#include "platform/text.h"

namespace vornel {

namespace {

using namespace result_ids;

// Three typical Smax values and how close an estimate must come to each.
struct TypicalSmax {
    double value;
    double tolerance;
};
constexpr TypicalSmax kTypicalSmax[] = {{10.0, 5.0}, {25.0, 7.5}, {75.0, 20.0}};

constexpr double kSectorWidth = 22.5;
constexpr int kSectorCount = 16;
constexpr std::size_t kEstimateTextWidth = 6;
// At or below this the wavelength is taken as missing (no period, no depth).
constexpr double kShortestWavelength = 0.1;

int shownRows() {
    return std::min(estimationResult().rowCount, kShownRows);
}

// The period of the estimate is the solver's echo of it.
double echoedWaveLength() {
    const EstimationResult& r = estimationResult();
    const double period = r.valueCount > ECHO_PERIOD ? textToReal(std::string_view(r.values[ECHO_PERIOD])) : 0.0;
    return waveLength(period);
}

void writeEstimates(DialogFields& dialog, double L) {
    EstimationResult& r = estimationResult();
    for (int row = 0; row < shownRows(); ++row) {
        const SmaxEstimate e = estimateSmax(r.rows[row], r.relationIndex, L);
        r.rows[row].mark = e.mark;
        dialog.setText(kFirstEstimateCell + row, estimateCellText(e));
    }
}

std::wstring groupTitle(const char* title, const char* caseName) {
    std::wstring text = widen(title);
    if (caseName[0] != '\0') text += L"(" + platform().fromCp932(caseName) + L")";
    return text;
}

}  // namespace

SmaxEstimate estimateSmax(const ResultRow& row, int relation, double L) {
    SmaxEstimate e;
    e.text = msg::kNoEstimate;
    if (relation < 1 || relation > kMaxSpreadingRelations) return e;

    double theta = row.thetaO;
    if (theta < 0.0) theta += 360.0;
    if (theta >= 360.0) theta -= 360.0;
    // One correction each way only: what is still outside lies in no sector.
    if (!(theta >= 0.0 && theta < 360.0)) return e;
    const int sector = static_cast<int>((theta + kSectorWidth / 2) / kSectorWidth) % kSectorCount;
    const SectorRow& c = spreadingRelations().relations[relation - 1].rows[sector];

    const double steepness = row.ho / L;
    if (!(steepness > 0.0) || !std::isfinite(steepness)) return e;
    const double est = c.slope * std::log(steepness) + c.intercept;
    if (!std::isfinite(est)) return e;

    e.value = est;
    const std::string text = format("%6.1f", est);
    if (text.size() <= kEstimateTextWidth) e.text = text;
    for (const TypicalSmax& typical : kTypicalSmax) {
        if (std::fabs(row.smax - typical.value) < 0.5) {
            e.mark = typical.tolerance > std::fabs(row.smax - est) ? 1 : 0;
            break;
        }
    }
    return e;
}

std::wstring estimateCellText(const SmaxEstimate& estimate) {
    std::wstring text = widen(estimate.text);
    if (estimate.mark) text += widen(msg::kAgreementMark);
    return text;
}

void initialiseResultDialog(DialogFields& dialog) {
    EstimationResult& r = estimationResult();
    const std::wstring emptyCell = widen(msg::kEmptyCell);
    const int rows = shownRows();

    // The table; rows the result does not have show the initial texts again,
    // so that a refresh never leaves an earlier run's numbers beside the new.
    for (int row = 0; row < kShownRows; ++row) {
        const int cell = kFirstRowCell + 3 * row;
        if (row < rows) {
            const ResultRow& rr = r.rows[row];
            dialog.setText(cell, widen(format("%5d", rr.smax)));
            dialog.setText(cell + 1, widen(format("%5.3f", rr.ho)));
            dialog.setText(cell + 2, widen(format("%5.1f", rr.thetaO)));
        } else {
            dialog.setText(cell, widen(msg::kEmptySmaxCell));
            dialog.setText(cell + 1, emptyCell);
            dialog.setText(cell + 2, emptyCell);
        }
        // The estimates are written below when a relation is chosen.
        dialog.setText(kFirstEstimateCell + row, emptyCell);
    }

    // The echo of the inputs; θdiff, θ and the tip depth mean nothing without
    // the diffraction point.
    const bool diffractionOff = estimationParams().diffractionOff == 1;
    const int values = std::min(r.valueCount, kShownEchoValues);
    for (int i = 0; i < kShownEchoValues - 1; ++i) {
        const bool unused = diffractionOff && (i == ECHO_THETA_DIFF || i == ECHO_THETA || i == ECHO_DIFFRACTION_DEPTH);
        if (i < values && !unused)
            dialog.setText(kFirstEchoCell + i, platform().fromCp932(r.values[i]));
        else
            dialog.setText(kFirstEchoCell + i, emptyCell);
    }
    dialog.setText(kDirectionCell, widen(format("%6.1f", r.runDirection)));

    dialog.setText(kResultGroup, groupTitle(msg::kResultGroup, r.caseName));
    dialog.setText(kInputGroup, groupTitle(msg::kInputGroup, r.caseName));
    // Where the method stops holding for this run: never blocking, always in view.
    dialog.setText(kNotesLine, validityNoteText(runRecord().notes));

    const SpreadingRelationList& list = spreadingRelations();
    std::vector<std::wstring> entries(1);
    for (int i = 0; i < list.relationCount; ++i) entries.push_back(platform().fromCp932(list.relations[i].name));
    dialog.setListEntries(kRelationList, entries);
    dialog.selectListEntry(kRelationList, r.relationIndex);

    if (r.relationIndex > 0) {
        const double L = echoedWaveLength();
        if (L > kShortestWavelength) {
            writeEstimates(dialog, L);
        } else {
            for (int row = 0; row < rows; ++row) dialog.setText(kFirstEstimateCell + row, widen(msg::kNoEstimate));
        }
    }
}

void onResultRelationChanged(DialogFields& dialog, int k) {
    if (k < 0) return;  // no selection
    estimationResult().relationIndex = k;
    if (k > 0) {
        writeEstimates(dialog, echoedWaveLength());
        return;
    }
    for (int row = 0; row < shownRows(); ++row) dialog.setText(kFirstEstimateCell + row, std::wstring());
}

bool noteResultDialogOpened(WindowRef dialog) {
    EstimationWindows& windows = estimationWindows();
    if (windows.resultDialogOpen == 1) return false;
    windows.resultDialogOpen = 1;
    windows.resultDialog = dialog;
    return true;
}

void noteResultDialogClosed() {
    estimationWindows().resultDialogOpen = -1;
}

DialogPlacement resultDialogPlacement(int mainLeft, int mainBottom, int dialogWidth, int dialogHeight) {
    DialogPlacement p;
    p.left = mainLeft / 2 + dialogWidth / 2;
    p.top = mainBottom / 2 - dialogHeight / 2;
    if (p.top < 0) p.top = 0;
    return p;
}

}  // namespace vornel
