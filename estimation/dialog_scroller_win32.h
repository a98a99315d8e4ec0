// Dialogs that fit any screen: placement inside the monitor's work area, and
// for a dialog taller than the work area, contents that scroll with a
// vertical scroll bar, the mouse wheel and the keyboard focus. The controls,
// their ids, tab order and dialog units stay as the template has them; a
// dialog that fits shows no scroll bar and behaves as before.
#pragma once

#include <windows.h>

#include "estimation/dialog_layout.h"

namespace vornel {

// The work area of the monitor that holds most of `window` (the nearest one).
ScreenRect workAreaOf(HWND window);
// GetWindowRect as a ScreenRect.
ScreenRect windowRectOf(HWND window);

// One per dialog, living as long as the dialog's window object.
class DialogScroller {
public:
    explicit DialogScroller(HWND dialog) : dialog_(dialog) {}
    DialogScroller(const DialogScroller&) = delete;
    DialogScroller& operator=(const DialogScroller&) = delete;

    // Once, while the dialog still has the size of its template: notes that
    // size and hooks every control. A closed drop-down list then passes the
    // wheel to the dialog instead of changing its selection, and a control
    // that receives the focus from the keyboard comes into view.
    void attach();

    // Moves the dialog to `fit.window`. With `fit.scrolls` the dialog takes
    // that size too and its contents scroll from then on; without, it gets
    // the size of its template back.
    void apply(const DialogFit& fit);

    // Fits the dialog again to the work area of its monitor, which changed
    // (WM_DISPLAYCHANGE, WM_SETTINGCHANGE for the work area).
    void refit();

    // WM_VSCROLL and WM_MOUSEWHEEL of the dialog; true when handled.
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR self);
    LRESULT onControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void showControl(HWND control);
    void scrollTo(int position);

    HWND dialog_;
    bool scrolls_ = false;
    int fullWidth_ = 0;  // the window as the template makes it, unscrolled
    int fullHeight_ = 0;
    int contentHeight_ = 0;
    int viewHeight_ = 0;
    int lineHeight_ = 16;
    int position_ = 0;
    WheelNotches wheel_;
};

}  // namespace vornel
