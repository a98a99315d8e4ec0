// The result dialog (template 114): a thin adapter of the result presenter.
#include <windows.h>

#include "estimation/csv_report.h"
#include "estimation/dialog_fields_win32.h"
#include "estimation/dialog_scroller_win32.h"
#include "estimation/estimation_dialogs_win32.h"
#include "estimation/estimation_windows.h"
#include "estimation/result_presenter.h"
#include "platform/callback_guard_win32.h"
#include "resources/resource.h"

namespace vornel {

namespace {

class ResultDialogWindow {
public:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static ResultDialogWindow* of(HWND hwnd) {
        return reinterpret_cast<ResultDialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }

    // Opening, and again after each later run while the dialog is open.
    void initialise();

private:
    explicit ResultDialogWindow(HWND hwnd) : hwnd_(hwnd), fields_(hwnd), scroller_(hwnd) {}
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool onCommand(int id, int code);
    void onCsv();
    void placeAtFirstOpening();
    void end(int result);

    HWND hwnd_;
    Win32DialogFields fields_;
    DialogScroller scroller_;
};

INT_PTR CALLBACK ResultDialogWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardCallback(
        [&]() -> INT_PTR {
            if (message == WM_INITDIALOG) {
                auto* self = new ResultDialogWindow(hwnd);
                SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
                self->initialise();
                return FALSE;  // the focus is set: 閉じる, with the top of the results in view
            }
            ResultDialogWindow* self = of(hwnd);
            if (!self) return FALSE;
            const INT_PTR result = self->handle(message, wParam, lParam);
            if (message == WM_NCDESTROY) {
                SetWindowLongPtrW(hwnd, DWLP_USER, 0);
                delete self;
            }
            return result;
        },
        []() -> INT_PTR { return TRUE; });
}

INT_PTR ResultDialogWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_VSCROLL:
        case WM_MOUSEWHEEL:
            return scroller_.onMessage(message, wParam, lParam) ? TRUE : FALSE;
        case WM_DISPLAYCHANGE:
            scroller_.refit();
            return TRUE;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETWORKAREA) scroller_.refit();
            return FALSE;
        case WM_COMMAND:
            return onCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_CLOSE:  // no system menu: only the buttons and commands close it
        case WM_DESTROY:
        case WM_KEYDOWN:
            return TRUE;
    }
    return FALSE;
}

void ResultDialogWindow::initialise() {
    // A new run's results: the sensitivity shown was the previous run's.
    closeSensitivityWindow();
    initialiseResultDialog(fields_);
    if (!noteResultDialogOpened(hwnd_)) return;
    scroller_.attach();
    placeAtFirstOpening();
    // The dialog shows its top (the echo of the inputs and the first rows).
    // Left to the dialog manager, the focus would go to the relation list
    // near the bottom; 閉じる is the default button that Enter and Esc press.
    SetFocus(GetDlgItem(hwnd_, IDCANCEL));
}

// Beside the main window and inside the work area of its monitor (with a
// scroll bar on a screen too low for it); a refresh leaves the dialog where
// the user put it.
void ResultDialogWindow::placeAtFirstOpening() {
    HWND mainWindow = static_cast<HWND>(estimationWindows().mainWindow);
    const ScreenRect main = mainWindow ? windowRectOf(mainWindow) : ScreenRect{};
    const ScreenRect own = windowRectOf(hwnd_);
    const DialogPlacement at = resultDialogPlacement(main.left, main.bottom, own.width(), own.height());
    const ScreenRect placed{at.left, at.top, at.left + own.width(), at.top + own.height()};
    scroller_.apply(
        fitDialogToWorkArea(placed, workAreaOf(mainWindow ? mainWindow : hwnd_), GetSystemMetrics(SM_CXVSCROLL)));
    ShowWindow(hwnd_, SW_SHOW);
}

bool ResultDialogWindow::onCommand(int id, int code) {
    using namespace result_ids;
    if (id == kRelationList) {
        if (code == CBN_SELCHANGE) onResultRelationChanged(fields_, fields_.selectedListEntry(kRelationList));
        return true;
    }
    switch (id) {
        case kCsvButton:
            onCsv();
            return true;
        case kSensitivityButton:
            openSensitivityWindow(hwnd_);
            return true;
        case IDCANCEL:  // 閉じる, Enter and Esc: the map shows the markers again
            end(IDCANCEL);
            if (HWND mainWindow = static_cast<HWND>(estimationWindows().mainWindow))
                InvalidateRect(mainWindow, nullptr, TRUE);
            return true;
        case IDOK:
        case IDM_CLOSE_DIALOG:
            end(0);
            return true;
    }
    return false;
}

void ResultDialogWindow::onCsv() {
    if (chooseCsvFile(hwnd_) != 0) return;
    // The case as it ran, whatever the parameter dialog shows now.
    writeResultCsv(hwnd_, runRecord(), csvFileName());
}

void ResultDialogWindow::end(int result) {
    closeSensitivityWindow();
    noteResultDialogClosed();
    estimationWindows().resultDialog = nullptr;
    EndDialog(hwnd_, result);
}

}  // namespace

void showResultDialog(HWND owner) {
    EstimationWindows& windows = estimationWindows();
    HWND open = static_cast<HWND>(windows.resultDialog);
    if (windows.resultDialogOpen == 1 && open && IsWindow(open)) {
        if (ResultDialogWindow* dialog = ResultDialogWindow::of(open)) dialog->initialise();
        return;
    }
    windows.resultDialogOpen = -1;  // a dialog that vanished without closing is closed
    if (windows.paramDialogOpen == 1 && windows.paramDialog) owner = static_cast<HWND>(windows.paramDialog);
    if (!owner) owner = static_cast<HWND>(windows.mainWindow);
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_RESULTS), owner, ResultDialogWindow::procedure, 0);
}

}  // namespace vornel
