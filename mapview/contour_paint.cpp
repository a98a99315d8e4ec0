#include "mapview/contour_paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "bathymetry/contour_files.h"
#include "bathymetry/contour_store.h"
#include "mapview/line_batch.h"
#include "mapview/pen_palette.h"
#include "mapview/scale_bar.h"
#include "mapview/view_transform.h"

namespace vornel {

int depthColourIndex(double depth, int viewMode) {
    if (viewMode == VIEW_CONTOUR && depth >= 900.0) return kPaletteBrown;
    if (depth < 0.01) return kPaletteRed;
    // NaN and negative steps stay at the first entry.
    const double step = std::trunc(depth / 2.5);
    if (!(step > 0.0)) return kPaletteDepthFirst;
    return kPaletteDepthFirst + (step >= 255.0 ? 255 : static_cast<int>(step));
}

int m7000LevelStep(int zoom) {
    if (zoom < 32) return 0;
    int d = 10 * (zoom / 64);
    if (d > 20) d = 20;
    if (d < 1) d = 5;
    return d;
}

bool m7000LevelVisible(double depth, int zoom) {
    const int d = m7000LevelStep(zoom);
    if (d == 0) return true;
    // Rounded in double: a garbage depth must not overflow an int.
    const double rounded = std::trunc(depth + 0.5);
    if (!(rounded > 0.0)) return true;  // land, the waterline (and NaN) always show
    return rounded == 999.0 || std::fmod(rounded, d) == 0.0;
}

namespace {

bool isLineStart(std::int32_t lineStart) {
    return lineStart % 10 == 1;
}

// Both ends beyond one side of the client area, or no length at all: the
// segment leaves no pixel in the window.
bool segmentInvisible(PixelPoint p, PixelPoint q, int width, int height) {
    return (p.x < 0 && q.x < 0) || (p.x > width && q.x > width) || (p.y < 0 && q.y < 0) ||
           (p.y > height && q.y > height) || p == q;
}

}  // namespace

void drawStoreContours(Canvas& canvas, const MapState& map, int width, int height, int viewMode) {
    const ContourStore& store = contourStore();
    if (store.contourStoreValid != 1 || store.contourPointCount <= 0 || !store.points) return;
    const MapView& view = map.mapView;
    const DataCentre centre = store.dataCentre;

    // Level visibility once per paint, not per point. Out-of-range level
    // numbers are drawn: their colour comes from the point's own depth.
    const bool filter = viewMode == VIEW_M7000 && m7000LevelStep(view.zoom) != 0;
    std::vector<char> levelShown;
    if (filter) {
        const int levels = std::clamp(store.depthLevelCount, 0, kDepthLevelCapacity);
        levelShown.resize(levels);
        for (int k = 0; k < levels; ++k) levelShown[k] = m7000LevelVisible(store.depthLevelList[k], view.zoom);
    }
    const int levelCount = static_cast<int>(levelShown.size());

    LineBatch batch(canvas);
    int penIndex = -1;
    bool penDown = false;
    bool started = false;
    PixelPoint p{};
    const int count = std::min(store.contourPointCount, kContourStoreCapacity);
    for (int i = 0; i < count; ++i) {
        const ContourPoint& cp = store.points[i];
        if (filter && cp.level >= 0 && cp.level < levelCount && !levelShown[cp.level]) continue;
        const PixelPoint q = contourToPixel(cp.east, cp.north, view, centre, width, height);
        // A store that does not begin with a line start begins a line anyway,
        // rather than joining its first point to the window corner.
        if (isLineStart(cp.lineStart) || !started) {
            started = true;
            const int index = depthColourIndex(cp.depth, viewMode);
            if (index != penIndex) {
                batch.setPen(createIndexedPen(PenStyle::Solid, 1, index, map.depthColourTable));
                penIndex = index;
            }
            batch.moveTo(q);
            penDown = true;
        } else if (!segmentInvisible(p, q, width, height)) {
            if (!penDown) {
                batch.moveTo(p);
                penDown = true;
            }
            batch.lineTo(q);
        } else {
            penDown = false;
        }
        p = q;
    }
}

void drawChartContours(Canvas& canvas, const MapState& map, int width, int height) {
    loadSelectedContours();
    drawStoreContours(canvas, map, width, height, VIEW_CONTOUR);
    drawScaleBar(canvas, map, width, height);
}

void drawM7000Contours(Canvas& canvas, const MapState& map, int width, int height) {
    drawStoreContours(canvas, map, width, height, VIEW_M7000);
    drawScaleBar(canvas, map, width, height);
}

}  // namespace vornel
