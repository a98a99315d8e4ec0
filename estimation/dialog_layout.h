// Where the two dialogs and the main window go on a screen of any size, and
// how a dialog taller than its screen scrolls. Pixel arithmetic only: the
// Win32 side measures the windows and the monitor's work area and applies
// the result.
#pragma once

namespace vornel {

// A screen rectangle in pixels; right and bottom are exclusive, as in RECT.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

// A dialog kept inside the work area. One taller than the work area takes
// its whole height and gets a vertical scroll bar (its width is added, so
// that no control is cut on the right); its contents then scroll.
struct DialogFit {
    ScreenRect window;
    bool scrolls = false;
};
DialogFit fitDialogToWorkArea(const ScreenRect& window, const ScreenRect& work, int scrollBarWidth);

// The parameter dialog opens left of the main window, top edges level. When
// the work area has no room there, the dialog takes the work area's left
// edge and the main window moves right of it (narrower when it would pass the
// right edge, but never below `minMainWidth`), so that the map's side panel
// stays in view beside the dialog.
struct ParamWindowsLayout {
    DialogFit dialog;
    ScreenRect main;
    bool mainMoves = false;
};
ParamWindowsLayout layoutParamDialog(const ScreenRect& main, int dialogWidth, int dialogHeight, const ScreenRect& work,
                                     int scrollBarWidth, int minMainWidth);

// The main window's first rectangle: the system's default, made to fit the
// work area (moved inside, and smaller where it is larger).
ScreenRect fitMainWindowToWorkArea(const ScreenRect& window, const ScreenRect& work);

// ---- Scrolling a dialog's contents ----
// Positions are the pixels of content scrolled off above the view, from 0 to
// contentHeight - viewHeight.

enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Top, Bottom, To };

int clampScrollPosition(int position, int contentHeight, int viewHeight);

// The position after a scroll-bar request; `target` is the thumb's position
// for ScrollRequest::To and otherwise unused.
int scrollPositionAfter(ScrollRequest request, int position, int target, int lineHeight, int contentHeight,
                        int viewHeight);

// The nearest position at which the item from `itemTop` to `itemBottom`
// (content coordinates) shows whole, with `margin` pixels around it where
// there is room: the position of a control that just received the focus.
int scrollPositionShowing(int position, int viewHeight, int contentHeight, int itemTop, int itemBottom, int margin);

// Mouse-wheel deltas added up: precision touchpads and smooth-scrolling mice
// send steps smaller than one notch (120). Returns the whole notches reached,
// negative for towards the user, and keeps the rest for the next delta.
inline constexpr int kWheelNotch = 120;  // WHEEL_DELTA
class WheelNotches {
public:
    int add(int delta);

private:
    int remainder_ = 0;
};

}  // namespace vornel
