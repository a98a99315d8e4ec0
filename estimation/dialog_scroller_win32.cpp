#include "estimation/dialog_scroller_win32.h"

#include <commctrl.h>

#include "platform/callback_guard_win32.h"

namespace vornel {

namespace {

// The id of the scroller's hook on each control of its dialog.
constexpr UINT_PTR kSubclassId = 0x5643;  // "VC"

ScrollRequest requestOf(WORD code) {
    switch (code) {
        case SB_LINEUP:
            return ScrollRequest::LineUp;
        case SB_LINEDOWN:
            return ScrollRequest::LineDown;
        case SB_PAGEUP:
            return ScrollRequest::PageUp;
        case SB_PAGEDOWN:
            return ScrollRequest::PageDown;
        case SB_TOP:
            return ScrollRequest::Top;
        case SB_BOTTOM:
            return ScrollRequest::Bottom;
        default:
            return ScrollRequest::To;
    }
}

bool isClosedDropDownList(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    return lstrcmpiW(className, WC_COMBOBOXW) == 0 && !SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0);
}

// The focus came from another control of the same dialog while no mouse
// button is down: Tab, an arrow or the program moving it on, not a click
// and not the dialog's activation (which restores it from outside).
bool focusMovedByKeyboard(HWND dialog, HWND previous) {
    return previous && previous != dialog && IsChild(dialog, previous) && GetKeyState(VK_LBUTTON) >= 0 &&
           GetKeyState(VK_RBUTTON) >= 0 && GetKeyState(VK_MBUTTON) >= 0;
}

int clientHeightOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client.bottom - client.top;
}

}  // namespace

ScreenRect workAreaOf(HWND window) {
    RECT primary{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        return {primary.left, primary.top, primary.right, primary.bottom};
    RECT work = info.rcWork;
    // The system's own answer for the primary monitor, which is the same on
    // Windows; a work area set there (SPI_SETWORKAREA) may reach the
    // monitor's record later, or under Wine not at all.
    RECT both{};
    if ((info.dwFlags & MONITORINFOF_PRIMARY) && IntersectRect(&both, &work, &primary)) work = both;
    return {work.left, work.top, work.right, work.bottom};
}

ScreenRect windowRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void DialogScroller::attach() {
    const ScreenRect whole = windowRectOf(dialog_);
    fullWidth_ = whole.width();
    fullHeight_ = whole.height();
    contentHeight_ = clientHeightOf(dialog_);
    RECT row{0, 0, 0, 16};  // one row of the templates, in dialog units
    MapDialogRect(dialog_, &row);
    lineHeight_ = row.bottom > 0 ? row.bottom : 16;
    for (HWND control = GetWindow(dialog_, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        SetWindowSubclass(control, controlProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void DialogScroller::apply(const DialogFit& fit) {
    const ScreenRect& r = fit.window;
    if (!fit.scrolls) {
        if (!scrolls_) {
            SetWindowPos(dialog_, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return;
        }
        // The screen grew: the whole contents show again, without a scroll bar.
        scrollTo(0);
        scrolls_ = false;
        SetWindowLongPtrW(dialog_, GWL_STYLE, GetWindowLongPtrW(dialog_, GWL_STYLE) & ~WS_VSCROLL);
        SetWindowPos(dialog_, nullptr, r.left, r.top, fullWidth_, fullHeight_,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        return;
    }
    SetWindowLongPtrW(dialog_, GWL_STYLE, GetWindowLongPtrW(dialog_, GWL_STYLE) | WS_VSCROLL);
    SetWindowPos(dialog_, nullptr, r.left, r.top, r.width(), r.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    viewHeight_ = clientHeightOf(dialog_);
    scrolls_ = true;

    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = contentHeight_ - 1;
    info.nPage = static_cast<UINT>(viewHeight_);
    info.nPos = position_;
    SetScrollInfo(dialog_, SB_VERT, &info, TRUE);
    // A lower screen than before may leave less to scroll.
    scrollTo(position_);
}

void DialogScroller::refit() {
    if (fullHeight_ <= 0) return;
    const ScreenRect now = windowRectOf(dialog_);
    const ScreenRect whole{now.left, now.top, now.left + fullWidth_, now.top + fullHeight_};
    apply(fitDialogToWorkArea(whole, workAreaOf(dialog_), GetSystemMetrics(SM_CXVSCROLL)));
}

bool DialogScroller::onMessage(UINT message, WPARAM wParam, LPARAM) {
    if (!scrolls_) return false;
    if (message == WM_VSCROLL) {
        const WORD code = LOWORD(wParam);
        if (code == SB_ENDSCROLL) return true;
        int target = position_;
        if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(dialog_, SB_VERT, &info);
            target = info.nTrackPos;
        }
        scrollTo(scrollPositionAfter(requestOf(code), position_, target, lineHeight_, contentHeight_, viewHeight_));
        return true;
    }
    if (message == WM_MOUSEWHEEL) {
        const int notches = wheel_.add(GET_WHEEL_DELTA_WPARAM(wParam));
        UINT lines = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        const int step = lines == WHEEL_PAGESCROLL ? viewHeight_ : static_cast<int>(lines) * lineHeight_;
        if (notches != 0) scrollTo(clampScrollPosition(position_ - notches * step, contentHeight_, viewHeight_));
        return true;
    }
    return false;
}

void DialogScroller::showControl(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
    // Client coordinates plus what is scrolled off: the control's place in the contents.
    scrollTo(scrollPositionShowing(position_, viewHeight_, contentHeight_, r.top + position_, r.bottom + position_,
                                   lineHeight_ / 2));
}

void DialogScroller::scrollTo(int position) {
    position = clampScrollPosition(position, contentHeight_, viewHeight_);
    if (position == position_) return;
    ScrollWindowEx(dialog_, 0, position_ - position, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN);
    position_ = position;
    SetScrollPos(dialog_, SB_VERT, position_, TRUE);
    // The whole dialog at once, controls included: the background erased in
    // the uncovered band would otherwise stay over a group box's frame until
    // that control happens to repaint.
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT CALLBACK DialogScroller::controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, controlProcedure, kSubclassId);
        return DefSubclassProc(control, message, wParam, lParam);
    }
    return guardCallback(
        [&] { return reinterpret_cast<DialogScroller*>(self)->onControlMessage(control, message, wParam, lParam); },
        [&] { return DefSubclassProc(control, message, wParam, lParam); });
}

LRESULT DialogScroller::onControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL && isClosedDropDownList(control)) {
        // A closed list would take the wheel as a change of its selection (the
        // spreading relation the estimate uses): the dialog scrolls instead,
        // where it scrolls, and nothing changes where it does not.
        SendMessageW(dialog_, message, wParam, lParam);
        return 0;
    }
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    // Only a focus that the keyboard moved within the dialog (Tab, the
    // program's WM_NEXTDLGCTL) scrolls: a click would jump the dialog under
    // the pointer, and its activation should not move it at all.
    if (message == WM_SETFOCUS && scrolls_ && focusMovedByKeyboard(dialog_, reinterpret_cast<HWND>(wParam)))
        showControl(control);
    return result;
}

}  // namespace vornel
