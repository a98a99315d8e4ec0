#include "mapview/overview_highlight_win32.h"

#include "mapview/gdi_canvas_win32.h"
#include "mapview/overview_highlight.h"

namespace vornel {

namespace {

// A device context of the window for one direct drawing, released on every path.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

RECT clientRect(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

}  // namespace

void highlightOverviewItem(HWND window, const MapState& map, int kind, int index) {
    WindowDc dc(window);
    if (!dc.get()) {
        // Nothing could be drawn; still remember what the menu points at.
        overviewHighlight().kind = kind;
        overviewHighlight().index = index;
        return;
    }
    const RECT client = clientRect(window);
    GdiCanvas canvas(dc.get());
    highlightOverviewItem(canvas, map, client.right, client.bottom, kind, index);
}

void clearOverviewHighlight(HWND window, const MapState& map) {
    WindowDc dc(window);
    if (!dc.get()) {
        overviewHighlight().kind = -1;
        return;
    }
    const RECT client = clientRect(window);
    GdiCanvas canvas(dc.get());
    clearOverviewHighlight(canvas, map, client.right, client.bottom);
}

void onMenuSelectHighlight(HWND window, const MapState& map, UINT id, UINT flags, HMENU menu) {
    if (map.viewMode != VIEW_OVERVIEW) return;
    int kind = -1;
    int index = -1;
    // A closing menu (flags 0xFFFF, no menu) and popup items (whose "id" is a
    // position) are no data entries.
    const bool closing = flags == 0xFFFF && menu == nullptr;
    if (!closing && !(flags & MF_POPUP)) menuItemOverviewEntry(static_cast<int>(id), kind, index);
    highlightOverviewItem(window, map, kind, index);
}

}  // namespace vornel
