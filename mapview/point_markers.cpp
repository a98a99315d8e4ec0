#include "mapview/point_markers.h"

#include <cmath>

#include "bathymetry/contour_store.h"
#include "mapview/panned_lines.h"
#include "mapview/pen_palette.h"
#include "mapview/view_transform.h"

namespace vornel {

namespace {

constexpr int kCrossHalf = 10;
constexpr int kCircleRadius = 3;
constexpr double kDegToRad = 0.017453292519943295;
constexpr Pen kJoinPen{Colour{135, 135, 135}, 3, PenStyle::Solid};

// Marker position before the pan offsets.
PixelPoint markerPosition(const MapView& view, const MarkedPoint& point, int width, int height) {
    MapView unpanned = view;
    unpanned.panX = 0;
    unpanned.panY = 0;
    return pointToPixel(point.east, point.north, unpanned, contourStore().dataCentre, width, height);
}

PixelPoint panned(const MapView& view, int x, int y) {
    return {x + view.panX, y + view.panY};
}

void drawDiagonalCross(Canvas& canvas, const MapView& view, PixelPoint c) {
    const int h = kCrossHalf;
    canvas.line(panned(view, c.x - h, c.y - h), panned(view, c.x + h, c.y + h));
    canvas.line(panned(view, c.x - h, c.y + h), panned(view, c.x + h, c.y - h));
}

// Upright cross with a small circle on its centre.
void drawCrossAndCircle(Canvas& canvas, const MapView& view, PixelPoint c) {
    const int h = kCrossHalf;
    const int r = kCircleRadius;
    canvas.line(panned(view, c.x - h, c.y), panned(view, c.x + h, c.y));
    canvas.line(panned(view, c.x, c.y - h), panned(view, c.x, c.y + h));
    const PixelPoint topLeft = panned(view, c.x - r, c.y - r);
    const PixelPoint bottomRight = panned(view, c.x + r, c.y + r);
    const PixelPoint rim = panned(view, c.x + r, c.y);
    canvas.arc(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, rim, rim);
}

}  // namespace

void drawDirectionLine(Canvas& canvas, const MapState& map, int x, int y, int colourIndex, double azimuth) {
    // A point set by typed coordinates may have no direction yet.
    if (!std::isfinite(azimuth)) return;
    const double a = (azimuth - 90.0) * kDegToRad;
    const int dx = static_cast<int>(std::trunc(std::cos(a) * 30.0));
    const int dy = static_cast<int>(std::trunc(std::sin(a) * 30.0));
    canvas.setPen(createIndexedPen(PenStyle::Dot, 1, colourIndex, map.depthColourTable));
    canvas.line(panned(map.mapView, x - dx, y - dy), panned(map.mapView, x + 2 * dx, y + 2 * dy));
}

void drawPointMarkers(Canvas& canvas, const MapState& map, const MarkedPoints& points, int width, int height) {
    const MapView& view = map.mapView;
    const DepthColourTable& colours = map.depthColourTable;
    const MarkedPoint& quasi = points.quasiOffshore;
    const PixelPoint quasiAt = markerPosition(view, quasi, width, height);

    if (quasi.set) {
        canvas.setPen(createIndexedPen(PenStyle::Solid, 1, kPaletteRed, colours));
        drawDiagonalCross(canvas, view, quasiAt);
    }

    if (points.diffraction.set) {
        const PixelPoint at = markerPosition(view, points.diffraction, width, height);
        if (quasi.set) {
            canvas.setPen(kJoinPen);
            drawSegment(canvas, view, quasiAt.x, quasiAt.y, at.x, at.y);
        }
        canvas.setPen(createIndexedPen(PenStyle::Solid, 1, kPaletteGreen, colours));
        drawCrossAndCircle(canvas, view, at);
        drawDirectionLine(canvas, map, at.x, at.y, kPaletteGreen, points.shoreNormal);
    }

    if (points.contour.set) {
        const PixelPoint at = markerPosition(view, points.contour, width, height);
        canvas.setPen(createIndexedPen(PenStyle::Solid, 1, kPaletteMagenta, colours));
        drawCrossAndCircle(canvas, view, at);
        drawDirectionLine(canvas, map, at.x, at.y, kPaletteMagenta, points.thetaCon);
    }

    if (points.offshore.set) {
        const PixelPoint at = markerPosition(view, points.offshore, width, height);
        canvas.setPen(createIndexedPen(PenStyle::Solid, 1, 1, colours));
        drawCrossAndCircle(canvas, view, at);
    }
}

}  // namespace vornel
