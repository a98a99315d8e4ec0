#include "estimation/dialog_layout.h"

#include <algorithm>

namespace vornel {

namespace {

// Moves `r` by whole pixels, size unchanged, so that it lies inside `work`
// where it fits; the top-left corner wins where it does not.
ScreenRect moveInside(ScreenRect r, const ScreenRect& work) {
    int dx = 0, dy = 0;
    if (r.right > work.right) dx = work.right - r.right;
    if (r.left + dx < work.left) dx = work.left - r.left;
    if (r.bottom > work.bottom) dy = work.bottom - r.bottom;
    if (r.top + dy < work.top) dy = work.top - r.top;
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace

DialogFit fitDialogToWorkArea(const ScreenRect& window, const ScreenRect& work, int scrollBarWidth) {
    DialogFit fit{window, false};
    if (window.height() > work.height()) {
        fit.window.top = work.top;
        fit.window.bottom = work.bottom;
        fit.window.right += scrollBarWidth;
        fit.scrolls = true;
    }
    fit.window = moveInside(fit.window, work);
    return fit;
}

ParamWindowsLayout layoutParamDialog(const ScreenRect& main, int dialogWidth, int dialogHeight, const ScreenRect& work,
                                     int scrollBarWidth, int minMainWidth) {
    ParamWindowsLayout layout;
    layout.main = main;
    // The width the dialog will have on screen, with its scroll bar if it gets one.
    const int width = dialogWidth + (dialogHeight > work.height() ? scrollBarWidth : 0);
    int left = main.left - width;
    if (left < work.left) {
        left = work.left;
        ScreenRect& moved = layout.main;
        moved.left = left + width;
        moved.right = std::min(moved.left + main.width(), work.right);
        if (moved.width() < minMainWidth) {
            moved.right = std::min(moved.left + minMainWidth, work.right);
            moved.left = std::max(work.left, moved.right - minMainWidth);
        }
        layout.mainMoves = !(moved == main);
    }
    layout.dialog =
        fitDialogToWorkArea({left, main.top, left + dialogWidth, main.top + dialogHeight}, work, scrollBarWidth);
    return layout;
}

ScreenRect fitMainWindowToWorkArea(const ScreenRect& window, const ScreenRect& work) {
    ScreenRect r = window;
    r.right = r.left + std::min(window.width(), work.width());
    r.bottom = r.top + std::min(window.height(), work.height());
    return moveInside(r, work);
}

int clampScrollPosition(int position, int contentHeight, int viewHeight) {
    return std::clamp(position, 0, std::max(0, contentHeight - viewHeight));
}

int scrollPositionAfter(ScrollRequest request, int position, int target, int lineHeight, int contentHeight,
                        int viewHeight) {
    int next = position;
    switch (request) {
        case ScrollRequest::LineUp:
            next = position - lineHeight;
            break;
        case ScrollRequest::LineDown:
            next = position + lineHeight;
            break;
        case ScrollRequest::PageUp:
            next = position - viewHeight;
            break;
        case ScrollRequest::PageDown:
            next = position + viewHeight;
            break;
        case ScrollRequest::Top:
            next = 0;
            break;
        case ScrollRequest::Bottom:
            next = contentHeight;
            break;
        case ScrollRequest::To:
            next = target;
            break;
    }
    return clampScrollPosition(next, contentHeight, viewHeight);
}

int scrollPositionShowing(int position, int viewHeight, int contentHeight, int itemTop, int itemBottom, int margin) {
    int next = position;
    if (itemBottom + margin > next + viewHeight) next = itemBottom + margin - viewHeight;
    // An item taller than the view shows its top.
    if (itemTop - margin < next) next = itemTop - margin;
    return clampScrollPosition(next, contentHeight, viewHeight);
}

int WheelNotches::add(int delta) {
    // A turn the other way starts afresh instead of first undoing the rest.
    if ((delta > 0 && remainder_ < 0) || (delta < 0 && remainder_ > 0)) remainder_ = 0;
    remainder_ += delta;
    const int notches = remainder_ / kWheelNotch;
    remainder_ -= notches * kWheelNotch;
    return notches;
}

}  // namespace vornel
