#include "mapview/point_markers.h"

#include <cmath>

#include "bathymetry/contour_store.h"
#include "estimation/params.h"
#include "mapview/map_paint.h"
#include "mapview/pen_palette.h"
#include "mapview/view_transform.h"
#include "shell/app_state.h"

namespace vornel {

namespace {

constexpr int kCrossHalf = 10;
constexpr int kCircleRadius = 3;
constexpr double kDegToRad = 0.017453292519943295;
constexpr Pen kJoinPen{Colour{135, 135, 135}, 3, PenStyle::Solid};

// Marker position before the pan offsets.
PixelPoint markerPosition(const EstimationPoint& point, int width, int height) {
    MapView unpanned = appState().mapView;
    unpanned.panX = 0;
    unpanned.panY = 0;
    return pointToPixel(point.east, point.north, unpanned, contourStore().dataCentre, width, height);
}

PixelPoint panned(int x, int y) {
    const MapView& view = appState().mapView;
    return {x + view.panX, y + view.panY};
}

void drawDiagonalCross(Canvas& canvas, PixelPoint c) {
    const int h = kCrossHalf;
    canvas.line(panned(c.x - h, c.y - h), panned(c.x + h, c.y + h));
    canvas.line(panned(c.x - h, c.y + h), panned(c.x + h, c.y - h));
}

// Upright cross with a small circle on its centre.
void drawCrossAndCircle(Canvas& canvas, PixelPoint c) {
    const int h = kCrossHalf;
    const int r = kCircleRadius;
    canvas.line(panned(c.x - h, c.y), panned(c.x + h, c.y));
    canvas.line(panned(c.x, c.y - h), panned(c.x, c.y + h));
    const PixelPoint topLeft = panned(c.x - r, c.y - r);
    const PixelPoint bottomRight = panned(c.x + r, c.y + r);
    const PixelPoint rim = panned(c.x + r, c.y);
    canvas.arc(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, rim, rim);
}

}  // namespace

void drawDirectionLine(Canvas& canvas, int x, int y, int colourIndex, double azimuth) {
    // A point set by typed coordinates may have no direction yet; drawing the
    // sentinel as an angle would show a direction that was never found.
    if (!std::isfinite(azimuth) || isNearSentinel(azimuth, NOT_SET_ANGLE)) return;
    const double a = (azimuth - 90.0) * kDegToRad;
    const int dx = static_cast<int>(std::trunc(std::cos(a) * 30.0));
    const int dy = static_cast<int>(std::trunc(std::sin(a) * 30.0));
    canvas.setPen(createIndexedPen(PenStyle::Dot, 1, colourIndex));
    canvas.line(panned(x - dx, y - dy), panned(x + 2 * dx, y + 2 * dy));
}

void drawPointMarkers(Canvas& canvas, int width, int height) {
    const EstimationParams& params = estimationParams();
    const EstimationPoint& quasi = params.quasiOffshorePoint;
    const PixelPoint quasiAt = markerPosition(quasi, width, height);

    if (quasi.isSet()) {
        canvas.setPen(createIndexedPen(PenStyle::Solid, 1, kPaletteRed));
        drawDiagonalCross(canvas, quasiAt);
    }

    if (params.diffractionPoint.isSet()) {
        const PixelPoint at = markerPosition(params.diffractionPoint, width, height);
        if (quasi.isSet()) {
            canvas.setPen(kJoinPen);
            drawSegment(canvas, quasiAt.x, quasiAt.y, at.x, at.y);
        }
        canvas.setPen(createIndexedPen(PenStyle::Solid, 1, kPaletteGreen));
        drawCrossAndCircle(canvas, at);
        drawDirectionLine(canvas, at.x, at.y, kPaletteGreen, params.shoreNormal);
    }

    if (params.contourPoint.isSet()) {
        const PixelPoint at = markerPosition(params.contourPoint, width, height);
        canvas.setPen(createIndexedPen(PenStyle::Solid, 1, kPaletteMagenta));
        drawCrossAndCircle(canvas, at);
        drawDirectionLine(canvas, at.x, at.y, kPaletteMagenta, params.thetaCon);
    }

    if (params.offshorePoint.isSet()) {
        const PixelPoint at = markerPosition(params.offshorePoint, width, height);
        canvas.setPen(createIndexedPen(PenStyle::Solid, 1, 1));
        drawCrossAndCircle(canvas, at);
    }
}

}  // namespace vornel
