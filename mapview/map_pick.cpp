#include "mapview/map_pick.h"

#include "bathymetry/contour_store.h"
#include "mapview/view_transform.h"

namespace vornel {

namespace {

MapPickRecord lastPick;

}  // namespace

MapPickRecord& mapPick() {
    return lastPick;
}

void resetMapPick() {
    lastPick = MapPickRecord{};
}

int pickAtScreenPoint(Canvas* canvas, const MapView& view, int x, int y, int width, int height,
                      int placingDiffraction) {
    const ContourStore& store = contourStore();
    if (store.contourPointCount < 1) return 0;
    if (canvas != nullptr) {
        canvas->setPen(Pen{Colour{0, 0, 0}, 1, PenStyle::Solid});
        canvas->line(PixelPoint{x - 5, y}, PixelPoint{x + 5, y});
        canvas->line(PixelPoint{x, y - 5}, PixelPoint{x, y + 5});
    }
    // The north sum in float, as the transform forms it, decides which
    // contour level a click near a contour lands on.
    const PlanePoint p = contourPixelToPlane(x, y, view, store.dataCentre, width, height);
    estimatePointDepth(p.east, p.north, lastPick);

    // The circle marks the queried point itself, back in pixels; a client
    // area without a middle has no room for it.
    if (canvas != nullptr && width / 2 > 0 && height / 2 > 0) {
        const PixelPoint c = pointToPixel(p.east, p.north, view, store.dataCentre, width, height);
        canvas->setPen(Pen{Colour{0, 255, 0}, 2, PenStyle::Solid});
        canvas->arc(c.x - 3, c.y - 3, c.x + 3, c.y + 3, PixelPoint{c.x + 3, c.y}, PixelPoint{c.x + 3, c.y});
    }
    return placingDiffraction == 1 && lastPick.entry[1].depth > 0.1 ? 9 : 1;
}

}  // namespace vornel
