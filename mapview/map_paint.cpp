#include "mapview/map_paint.h"

#include "mapview/contour_paint.h"
#include "mapview/overview_highlight.h"
#include "mapview/overview_paint.h"

namespace vornel {

void paintMap(Canvas& canvas, const MapState& map, const MarkedPoints& points, int width, int height) {
    // The paint covers whatever highlight a menu left on the window.
    overviewHighlight().kind = -1;
    switch (map.viewMode) {
        case VIEW_CONTOUR:
            drawChartContours(canvas, map, width, height);
            drawPointMarkers(canvas, map, points, width, height);
            break;
        case VIEW_M7000:
            drawM7000Contours(canvas, map, width, height);
            drawPointMarkers(canvas, map, points, width, height);
            break;
        case VIEW_OVERVIEW:
            drawOverview(canvas, map, width, height);
            break;
    }
}

}  // namespace vornel
