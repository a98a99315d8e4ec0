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

}  // namespace vornel
