#include "estimation/dialog_scroller_win32.h"

#include <commctrl.h>

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

int clientHeightOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client.bottom - client.top;
}

}  // namespace

ScreenRect workAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.right, work.bottom};
}

ScreenRect windowRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void DialogScroller::apply(const DialogFit& fit) {
    const ScreenRect& r = fit.window;
    if (!fit.scrolls) {
        SetWindowPos(dialog_, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    contentHeight_ = clientHeightOf(dialog_);
    RECT row{0, 0, 0, 16};  // one row of the templates, in dialog units
    MapDialogRect(dialog_, &row);
    lineHeight_ = row.bottom > 0 ? row.bottom : 16;

    SetWindowLongPtrW(dialog_, GWL_STYLE, GetWindowLongPtrW(dialog_, GWL_STYLE) | WS_VSCROLL);
    SetWindowPos(dialog_, nullptr, r.left, r.top, r.width(), r.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    viewHeight_ = clientHeightOf(dialog_);
    scrolls_ = true;
    position_ = 0;

    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = contentHeight_ - 1;
    info.nPage = static_cast<UINT>(viewHeight_);
    info.nPos = 0;
    SetScrollInfo(dialog_, SB_VERT, &info, TRUE);

    // Every control that can take the focus (Tab, a click, the program) is
    // scrolled into view when it does.
    for (HWND control = GetWindow(dialog_, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        SetWindowSubclass(control, controlProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
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
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    if (message == WM_SETFOCUS) reinterpret_cast<DialogScroller*>(self)->showControl(control);
    return result;
}

}  // namespace vornel
