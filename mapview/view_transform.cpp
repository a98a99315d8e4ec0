#include "mapview/view_transform.h"

namespace vornel {

bool zoomIn(MapView& view, bool overview) {
    if (view.zoom < 2) return false;
    view.zoom /= 2;
    if (overview) {
        view.panX = clampPixel(2 * static_cast<std::int64_t>(view.panX));
        view.panY = clampPixel(2 * static_cast<std::int64_t>(view.panY));
    }
    return true;
}

bool zoomOut(MapView& view, bool overview) {
    // A zoom below 1 is never produced; refusing it keeps doubling from running away.
    if (view.zoom > kZoomMax / 2 || view.zoom < kZoomMin) return false;
    view.zoom *= 2;
    if (overview) {
        view.panX /= 2;  // toward zero: -3 becomes -1
        view.panY /= 2;
    }
    return true;
}

void panOverview(MapView& view, int dx, int dy) {
    view.panX = clampPixel(static_cast<std::int64_t>(view.panX) + dx);
    view.panY = clampPixel(static_cast<std::int64_t>(view.panY) + dy);
}

void panContourView(DataCentre& centre, int zoom, int dx, int dy) {
    // Moving the content right means looking further west: the centre moves
    // against the pixels in east and with them in north (y grows downwards).
    centre.centreEast -= static_cast<float>(static_cast<std::int64_t>(dx) * zoom);
    centre.centreNorth += static_cast<float>(static_cast<std::int64_t>(dy) * zoom);
}

void panView(MapView& view, DataCentre& centre, bool overview, int dx, int dy) {
    if (overview)
        panOverview(view, dx, dy);
    else
        panContourView(centre, view.zoom, dx, dy);
}

void dragView(MapView& view, DataCentre& centre, bool overview, int x, int y) {
    panView(view, centre, overview, x - view.lastMouseX, y - view.lastMouseY);
    view.lastMouseX = x;
    view.lastMouseY = y;
}

void centreOnLastClick(MapView& view, DataCentre& centre, bool overview, int width, int height) {
    panView(view, centre, overview, width / 2 - view.lastMouseX, height / 2 - view.lastMouseY);
}

bool resetViewPosition(MapView& view, bool overview) {
    if (!overview) {
        view.panX = view.panY = 0;
        return false;
    }
    if (view.zoom == kInitialZoom && view.panX == 0 && view.panY == 0) return false;
    view.zoom = kInitialZoom;
    view.panX = view.panY = 0;
    return true;
}

}  // namespace vornel
