// The logic of the result dialog: which text goes into which control, the
// estimated Smax of each row with its ◯ mark, the change of the relation, and
// where the dialog first appears. The Win32 dialog procedure only forwards
// its messages here and implements DialogFields.
#pragma once

#include <string>

#include "estimation/dialog_fields.h"
#include "estimation/result.h"

namespace vornel {

// Control ids of the result dialog.
namespace result_ids {
inline constexpr int kFirstRowCell = 1500;       // row r: Smax 1500 + 3r, Ho 1501 + 3r, θo 1502 + 3r
inline constexpr int kFirstEchoCell = 1536;      // echo value i in 1536 + i
inline constexpr int kDirectionCell = 1543;      // the run's wave direction (in place of echo value 7)
inline constexpr int kFirstEstimateCell = 1544;  // estimated Smax of row r in 1544 + r
inline constexpr int kResultGroup = 1600;
inline constexpr int kInputGroup = 1601;
inline constexpr int kRelationList = 1602;
inline constexpr int kCsvButton = 1800;
inline constexpr int kSensitivityButton = 1810;
inline constexpr int kNotesLine = 1811;  // the validity notes of the run, empty when none apply
inline constexpr int kShownRows = 12;
inline constexpr int kShownEchoValues = 8;
}  // namespace result_ids

struct SmaxEstimate {
    double value = 0.0;  // the estimate; the agreement test uses it, not the text
    int mark = 0;        // 1: agrees with the row's Smax
    std::string text;    // "%6.1lf", or "******" when there is no estimate or it is wider
};

// The estimated Smax of `row` by relation `relation` (k >= 1: relation k - 1 of
// the spreading relations) at wavelength `L`. No estimate ("******", mark 0)
// when Ho/L is not positive, the result is not finite, the relation lies
// outside the list's store, or θo is below -360 or from 720 on.
SmaxEstimate estimateSmax(const ResultRow& row, int relation, double L);

// The text of an estimate cell: the estimate, with "　　◯" when it agrees.
std::wstring estimateCellText(const SmaxEstimate& estimate);

// Fills every control from EstimationResult (dialog opening, and again after
// each later successful run while it is open). Cells of rows and echo values
// the new result does not have go back to their initial texts.
void initialiseResultDialog(DialogFields& dialog);

// The user chose entry k of the relation list (0: none).
void onResultRelationChanged(DialogFields& dialog, int k);

// Records the dialog as open at the end of its initialisation; true when it
// was not open before, that is when the dialog must be placed and shown.
bool noteResultDialogOpened(WindowRef dialog);
// Closing by 閉じる or by command 1499.
void noteResultDialogClosed();

struct DialogPlacement {
    int left;
    int top;
};
// Where the dialog first appears (pixels): left = mainLeft / 2 + width / 2,
// top = mainBottom / 2 - height / 2 but not above 0; halvings truncate.
DialogPlacement resultDialogPlacement(int mainLeft, int mainBottom, int dialogWidth, int dialogHeight);

}  // namespace vornel
