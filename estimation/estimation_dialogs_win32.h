// The parameter and result dialogs and the CSV save dialog, Win32 side.
#pragma once

#include <windows.h>

#include <string>

namespace vornel {

// Installs the result-dialog hook of a successful run, once at start (the
// main window's start-up connects openParameterDialog itself).
void installEstimationDialogs();

// The parameter dialog, modal without owner so that the map stays usable;
// returns when it closes (with 2 or 1499).
void openParameterDialog(HWND mainWindow);

// After a successful run: opens the result dialog (owned by the parameter
// dialog, by the main window while there is none), or refreshes it in place
// when it is open already.
void showResultDialog(HWND owner);

// The save dialog of the CSV report: 0 when a name was chosen (now in
// csvFileName()), -1 when cancelled or failed.
int chooseCsvFile(HWND owner);

// The open dialog of 計算条件の読込: an existing report, starting in the folder
// of the last report (else the program folder), which it then becomes.
// False when cancelled.
bool chooseCaseReport(HWND owner, std::wstring& path);

// The File menu's 計算条件の読込: asks for a CSV report and restores its case
// into the open parameter dialog; in the overview it only says to choose data.
void reopenCaseFromReport(HWND mainWindow);

// Sent to the parameter dialog with a ReopenedCase* as lParam.
inline constexpr UINT kRestoreCaseMessage = WM_APP + 10;
// Sent to the parameter dialog with a BatchStart* as lParam: the site of the
// case for a batch, checked as 計算開始 checks it (ok false after a message).
inline constexpr UINT kBatchCaseMessage = WM_APP + 11;

// The File menu's 観測波浪の一括推定: a wave record estimated for the site of
// the open parameter dialog, its report beside the records, its summary shown.
void estimateWaveRecord(HWND mainWindow);

// 「感度と応答」 of the run on screen, owned by the result dialog: opened (or
// brought forward) by its button 1810; closed with the result dialog and by
// each new run.
void openSensitivityWindow(HWND resultDialog);
void closeSensitivityWindow();
// The open window, or nullptr (tests).
HWND sensitivityWindow();

}  // namespace vornel
