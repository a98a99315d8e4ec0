#include "mapview/overview_paint.h"

#include <algorithm>

#include "bathymetry/chart_tables.h"
#include "bathymetry/coastline.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/m7000_list.h"
#include "mapview/line_batch.h"
#include "mapview/panned_lines.h"
#include "mapview/pen_palette.h"
#include "mapview/view_transform.h"

namespace vornel {

namespace {

template <typename Record>
EntryExtent extentOf(const Record& r) {
    return {r.northLat, r.westLon, r.southLat, r.eastLon, r.selected};
}

void drawCoastline(Canvas& canvas, const MapState& map, int width, int height) {
    const Coastline& coast = coastline();
    const MapView& view = map.mapView;
    const int count = std::clamp(coast.coastlinePointCount, 0, kCoastlineCapacity);
    LineBatch batch(canvas);
    batch.setPen(createIndexedPen(PenStyle::Solid, 1, 0, map.depthColourTable));
    for (int i = 0; i < count; ++i) {
        const CoastlinePoint& cp = coast.points[i];
        const PixelPoint p = overviewToPixel(cp.lat, cp.lon, view, width, height);
        // The first point opens a polygon even without its flag.
        if (cp.polyStart == 1 || i == 0) {
            batch.moveTo(p);
        } else {
            batch.lineTo(p);
        }
    }
}

}  // namespace

int overviewEntryCount(int kind) {
    switch (kind) {
        case SOURCE_HARBOUR:
            return std::clamp(harbourList().harbourCount, 0, kHarbourCapacity);
        case SOURCE_CHART50K:
            return std::clamp(chart50kList().count, 0, chart50kList().records ? chart50kList().capacity : 0);
        case SOURCE_CHART200K:
            return std::clamp(chart200kList().count, 0, chart200kList().records ? chart200kList().capacity : 0);
        case SOURCE_M7000:
            return std::clamp(m7000DataSetList().m7000DataSetCount, 0, kM7000DataSetCapacity);
    }
    return 0;
}

bool overviewEntry(int kind, int index, EntryExtent& out) {
    if (index < 0 || index >= overviewEntryCount(kind)) return false;
    switch (kind) {
        case SOURCE_HARBOUR:
            out = extentOf(harbourList().records[index]);
            return true;
        case SOURCE_CHART50K:
            out = extentOf(chart50kList().records[index]);
            return true;
        case SOURCE_CHART200K:
            out = extentOf(chart200kList().records[index]);
            return true;
        case SOURCE_M7000:
            out = extentOf(m7000DataSetList().dataSets[index]);
            return true;
    }
    return false;
}

void drawEntryExtent(Canvas& canvas, const MapView& view, const EntryExtent& extent, int width, int height) {
    const int zoom = view.zoom;
    const PixelPoint nw = overviewToPixelUnpanned(extent.northLat, extent.westLon, zoom, width, height);
    const PixelPoint se = overviewToPixelUnpanned(extent.southLat, extent.eastLon, zoom, width, height);
    drawRectOutline(canvas, view, nw.x, nw.y, se.x, se.y);
}

void drawOverview(Canvas& canvas, const MapState& map, int width, int height) {
    drawCoastline(canvas, map, width, height);

    for (int kind = 0; kind < 4; ++kind) {
        if (map.overviewSourceFlags[kind] != 1) continue;
        const Pen normal = createIndexedPen(PenStyle::Solid, 1, kSourceColourIndex[kind], map.depthColourTable);
        const Pen chosen = createIndexedPen(PenStyle::Solid, 2, kSourceColourIndex[kind], map.depthColourTable);
        canvas.setPen(normal);
        const int count = overviewEntryCount(kind);
        for (int i = 0; i < count; ++i) {
            EntryExtent extent;
            overviewEntry(kind, i, extent);
            if (extent.selected == 1) canvas.setPen(chosen);
            drawEntryExtent(canvas, map.mapView, extent, width, height);
            if (extent.selected == 1) canvas.setPen(normal);
        }
    }
}

}  // namespace vornel
