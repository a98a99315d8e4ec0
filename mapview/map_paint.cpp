#include "mapview/map_paint.h"

#include "mapview/contour_paint.h"
#include "mapview/overview_paint.h"
#include "mapview/point_markers.h"
#include "shell/app_state.h"

namespace vornel {

void paintMap(Canvas& canvas, int width, int height) {
    AppState& app = appState();
    // The paint covers whatever highlight a menu left on the window.
    app.overviewHighlightKind = -1;
    switch (app.viewMode) {
        case VIEW_CONTOUR:
            drawChartContours(canvas, width, height);
            drawPointMarkers(canvas, width, height);
            break;
        case VIEW_M7000:
            drawM7000Contours(canvas, width, height);
            drawPointMarkers(canvas, width, height);
            break;
        case VIEW_OVERVIEW:
            drawOverview(canvas, width, height);
            break;
    }
}

void drawRectOutline(Canvas& canvas, int x1, int y1, int x2, int y2) {
    const MapView& view = appState().mapView;
    const int dx = view.panX;
    const int dy = view.panY;
    const PixelPoint outline[5] = {
        {x1 + dx, y1 + dy}, {x2 + dx, y1 + dy}, {x2 + dx, y2 + dy}, {x1 + dx, y2 + dy}, {x1 + dx, y1 + dy}};
    canvas.polyline(outline, 5);
}

void drawSegment(Canvas& canvas, int x1, int y1, int x2, int y2) {
    const MapView& view = appState().mapView;
    canvas.line({x1 + view.panX, y1 + view.panY}, {x2 + view.panX, y2 + view.panY});
}

}  // namespace vornel
