// The parameter dialog (template 112): a thin adapter of the parameter
// presenter. Change reports of the numeric fields go to the presenter, which
// tells the echo of its own writes from user edits.
#include <windows.h>
// imm.h takes its types from windows.h
#include <imm.h>

#include <optional>

#include "estimation/dialog_fields_win32.h"
#include "estimation/dialog_scroller_win32.h"
#include "estimation/estimation_dialogs_win32.h"
#include "estimation/estimation_windows.h"
#include "estimation/param_presenter.h"
#include "estimation/solver_exchange.h"
#include "platform/callback_guard_win32.h"
#include "resources/resource.h"

namespace vornel {

namespace {

// Numbers are typed in half-width: a numeric field starts with the Japanese
// input method off, as engineering tools do. The user may still switch it on
// (or paste full-width text): the fields read full-width digits too. The
// title is Japanese text: it gets the input method back as the user had it
// before the first numeric field (the fields share one input context, so the
// numbers' "off" would stay), and later as the user left it in the title.
class InputMethodByField {
public:
    void enterNumericField(HWND field) {
        ContextOf context(field);
        if (!context.get()) return;
        if (!titleOpen_) titleOpen_ = ImmGetOpenStatus(context.get()) != 0;
        ImmSetOpenStatus(context.get(), FALSE);
    }
    void enterTitle(HWND title) {
        ContextOf context(title);
        if (context.get() && titleOpen_) ImmSetOpenStatus(context.get(), *titleOpen_ ? TRUE : FALSE);
    }
    void leaveTitle(HWND title) {
        ContextOf context(title);
        if (context.get()) titleOpen_ = ImmGetOpenStatus(context.get()) != 0;
    }

private:
    class ContextOf {
    public:
        explicit ContextOf(HWND window) : window_(window), context_(ImmGetContext(window)) {}
        ~ContextOf() {
            if (context_) ImmReleaseContext(window_, context_);
        }
        ContextOf(const ContextOf&) = delete;
        ContextOf& operator=(const ContextOf&) = delete;
        HIMC get() const { return context_; }

    private:
        HWND window_;
        HIMC context_;
    };
    std::optional<bool> titleOpen_;
};

class ParamDialogWindow : public ParamDialogHost {
public:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void redrawMap() override {
        if (HWND main = mainWindow()) InvalidateRect(main, nullptr, TRUE);
    }
    void closeResultDialog() override {
        if (HWND result = static_cast<HWND>(estimationWindows().resultDialog))
            SendMessageW(result, WM_COMMAND, IDM_CLOSE_DIALOG, 0);
    }
    void endDialog(int result) override { EndDialog(hwnd_, result); }

private:
    explicit ParamDialogWindow(HWND hwnd) : hwnd_(hwnd), fields_(hwnd), presenter_(fields_, *this), scroller_(hwnd) {}
    static HWND mainWindow() { return static_cast<HWND>(estimationWindows().mainWindow); }
    void onInitDialog();
    void placeBesideMainWindow();
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool onCommand(int id, int code);

    HWND hwnd_;
    Win32DialogFields fields_;
    ParamPresenter presenter_;
    DialogScroller scroller_;
    InputMethodByField inputMethod_;
};

// The dialog's own message loop never sees the main window's accelerators:
// this filter of the loop sends Ctrl+O (計算条件の読込) on to the main window
// wherever in the dialog the focus is. Ctrl+Z stays with the fields, whose
// own undo it is. One parameter dialog exists at a time, and so one filter.
HHOOK keyFilter = nullptr;

LRESULT CALLBACK filterDialogKeys(int code, WPARAM wParam, LPARAM lParam) {
    // Nothing here allocates or throws: only messages are looked at and posted.
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    const HWND dialog = static_cast<HWND>(estimationWindows().paramDialog);
    if (code == MSGF_DIALOGBOX && msg && msg->message == WM_KEYDOWN && msg->wParam == 'O' &&
        GetKeyState(VK_CONTROL) < 0 && dialog && (msg->hwnd == dialog || IsChild(dialog, msg->hwnd))) {
        if (HWND main = static_cast<HWND>(estimationWindows().mainWindow))
            PostMessageW(main, WM_COMMAND, IDM_REOPEN_CASE, 0);
        return TRUE;
    }
    return CallNextHookEx(keyFilter, code, wParam, lParam);
}

// The side panel (160 px wide) and as much map again: the least the main
// window keeps when it makes room for the dialog on a narrow screen.
constexpr int kMinMainWidth = 320;

INT_PTR CALLBACK ParamDialogWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardCallback(
        [&]() -> INT_PTR {
            if (message == WM_INITDIALOG) {
                auto* self = new ParamDialogWindow(hwnd);
                SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
                self->onInitDialog();
                return TRUE;
            }
            auto* self = reinterpret_cast<ParamDialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
            if (!self) return FALSE;
            const INT_PTR result = self->handle(message, wParam, lParam);
            if (message == WM_NCDESTROY) {
                SetWindowLongPtrW(hwnd, DWLP_USER, 0);
                delete self;
            }
            return result;
        },
        []() -> INT_PTR { return TRUE; });  // handled: the default would close on a failed command
}

void ParamDialogWindow::onInitDialog() {
    presenter_.open();
    if (!keyFilter) keyFilter = SetWindowsHookExW(WH_MSGFILTER, filterDialogKeys, nullptr, GetCurrentThreadId());
    scroller_.attach();
    placeBesideMainWindow();
    ShowWindow(hwnd_, SW_SHOW);
}

// Left of the main window, so that the map and its side panel stay in view;
// on a screen too narrow for that, the main window moves right of the dialog.
// A screen too low for the dialog gets it with a scroll bar.
void ParamDialogWindow::placeBesideMainWindow() {
    HWND main = mainWindow();
    const ScreenRect own = windowRectOf(hwnd_);
    const int scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    if (!main || IsIconic(main)) {
        const ScreenRect work = workAreaOf(hwnd_);
        scroller_.apply(fitDialogToWorkArea({work.left, work.top, work.left + own.width(), work.top + own.height()},
                                            work, scrollBarWidth));
        return;
    }
    const ScreenRect work = workAreaOf(main);
    if (IsZoomed(main)) ShowWindow(main, SW_RESTORE);  // a maximised window has no room beside it
    const ParamWindowsLayout layout =
        layoutParamDialog(windowRectOf(main), own.width(), own.height(), work, scrollBarWidth, kMinMainWidth);
    scroller_.apply(layout.dialog);
    if (layout.mainMoves) {
        const ScreenRect& r = layout.main;
        SetWindowPos(main, nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

INT_PTR ParamDialogWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
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
        case kRestoreCaseMessage:
            presenter_.restoreCase(*reinterpret_cast<const ReopenedCase*>(lParam));
            return TRUE;
        case kBatchCaseMessage:
            presenter_.prepareBatch(*reinterpret_cast<BatchStart*>(lParam));
            return TRUE;
        case WM_DESTROY:
            if (keyFilter) UnhookWindowsHookEx(keyFilter);
            keyFilter = nullptr;
            return TRUE;
        case WM_CLOSE:  // no system menu: the main window closes it with 1499
            return TRUE;
    }
    return FALSE;
}

bool ParamDialogWindow::onCommand(int id, int code) {
    const bool numericField = id >= kFirstParamFieldId && id < kFirstParamFieldId + kParamFieldCount;
    if (numericField) {
        if (code == EN_CHANGE) presenter_.onFieldChanged(id);
        if (code == EN_SETFOCUS) inputMethod_.enterNumericField(GetDlgItem(hwnd_, id));
        return true;
    }
    if (id == param_ids::kTitle) {
        if (code == EN_SETFOCUS) inputMethod_.enterTitle(GetDlgItem(hwnd_, id));
        if (code == EN_KILLFOCUS) inputMethod_.leaveTitle(GetDlgItem(hwnd_, id));
        return false;
    }
    if (id == param_ids::kRelationList) return false;
    // Buttons, keys and the main window's commands (notification code 0 or 1).
    if (code != BN_CLICKED && code != 1) return false;
    return presenter_.onCommand(id);
}

}  // namespace

void openParameterDialog(HWND) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PARAMETERS), nullptr, ParamDialogWindow::procedure,
                    0);
}

void installEstimationDialogs() {
    setResultDialogHook([](WindowRef owner) { showResultDialog(static_cast<HWND>(owner)); });
}

}  // namespace vornel
