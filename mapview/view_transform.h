// Window pixels and map positions, both ways, for the two kinds of map: the
// contour views (plane metres around DataCentre, zoom metres per pixel) and the
// overview (an equirectangular grid of degrees centred on 37° N, 137° E). Zoom
// and pan rules of the map commands. Width and height are the client size.
#pragma once

#include <algorithm>
#include <cstdint>

#include "bathymetry/contour_store.h"
#include "mapview/canvas.h"
#include "mapview/map_view.h"

namespace vornel {

struct PlanePoint {
    double east;
    double north;
};

struct GeoPoint {
    double lat;
    double lon;
};

// Pixel offsets from the transforms and pan offsets are kept within ±2^27, so
// that every sum with a client size stays an int and inside what GDI draws.
// Only garbage reaches the limit: at 1 m per pixel it is 134,000 km.
inline constexpr int kPixelLimit = 1 << 27;

// Truncation toward zero, clamped to ±kPixelLimit; NaN goes to +kPixelLimit.
inline int truncToPixel(double v) {
    if (v > -kPixelLimit && v < kPixelLimit) return static_cast<int>(v);
    return v < 0 ? -kPixelLimit : kPixelLimit;
}

inline int clampPixel(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, -kPixelLimit, kPixelLimit));
}

// ---- Contour views ----

// A store point (single precision): the difference to the centre is formed in
// float as the stored data are, then divided in double. Truncation toward zero.
inline PixelPoint contourToPixel(float east, float north, const MapView& view, const DataCentre& centre, int width,
                                 int height) {
    const float de = east - centre.centreEast;
    const float dn = north - centre.centreNorth;
    return {width / 2 + truncToPixel(static_cast<double>(de) / view.zoom) + view.panX,
            height / 2 - truncToPixel(static_cast<double>(dn) / view.zoom) + view.panY};
}

// An estimation point (double precision): the centre is widened first.
inline PixelPoint pointToPixel(double east, double north, const MapView& view, const DataCentre& centre, int width,
                               int height) {
    const double de = east - static_cast<double>(centre.centreEast);
    const double dn = north - static_cast<double>(centre.centreNorth);
    return {width / 2 + truncToPixel(de / view.zoom) + view.panX,
            height / 2 - truncToPixel(dn / view.zoom) + view.panY};
}

// The plane position of a pixel, as the map pick forms it: whole pixels times
// zoom as integers; the east sum in double, the north sum in float (then
// widened). The picks' depths and levels depend on that rounding.
inline PlanePoint contourPixelToPlane(int x, int y, const MapView& view, const DataCentre& centre, int width,
                                      int height) {
    const std::int64_t de = (static_cast<std::int64_t>(x) - view.panX - width / 2) * view.zoom;
    const std::int64_t dn = (static_cast<std::int64_t>(view.panY) + height / 2 - y) * view.zoom;
    const float north = static_cast<float>(dn) + centre.centreNorth;
    return {static_cast<double>(de) + static_cast<double>(centre.centreEast), static_cast<double>(north)};
}

// ---- Overview ----

inline constexpr double kOverviewCentreLat = 37.0;
inline constexpr double kOverviewCentreLon = 137.0;

// Scale step of the overview: zoom/8, at least 1.
inline int overviewScale(int zoom) {
    return std::max(1, zoom / 8);
}
// Degrees per pixel; latitude is two thirds of longitude (no cosine correction).
inline double overviewLonStep(int zoom) {
    return overviewScale(zoom) * 0.00625 * 0.125;
}
inline double overviewLatStep(int zoom) {
    return overviewScale(zoom) * 0.0125 * 0.125 / 3;
}

// Without the pan offsets (the data extents are drawn so).
inline PixelPoint overviewToPixelUnpanned(double lat, double lon, int zoom, int width, int height) {
    return {truncToPixel((lon - kOverviewCentreLon) / overviewLonStep(zoom) + width * 0.5 + 0.5),
            truncToPixel((kOverviewCentreLat - lat) / overviewLatStep(zoom) + height * 0.5 + 0.5)};
}

inline PixelPoint overviewToPixel(double lat, double lon, const MapView& view, int width, int height) {
    const PixelPoint p = overviewToPixelUnpanned(lat, lon, view.zoom, width, height);
    return {p.x + view.panX, p.y + view.panY};
}

inline GeoPoint overviewPixelToGeo(int x, int y, const MapView& view, int width, int height) {
    return {kOverviewCentreLat - overviewLatStep(view.zoom) * (static_cast<double>(y) - view.panY - height * 0.5),
            (static_cast<double>(x) - view.panX - width * 0.5) * overviewLonStep(view.zoom) + kOverviewCentreLon};
}

// ---- Zoom and pan ----

inline constexpr int kZoomMin = 1;
inline constexpr int kZoomMax = 1024;
inline constexpr int kInitialZoom = 256;

// Halves zoom; in the overview doubles the pan offsets so that the window
// centre stays put. Returns false and changes nothing below zoom 2.
bool zoomIn(MapView& view, bool overview);
// Doubles zoom; in the overview halves the pan offsets toward zero. Returns
// false and changes nothing above zoom 512.
bool zoomOut(MapView& view, bool overview);

// Moves the map content by (dx, dy) pixels: the pan offsets in the overview,
// DataCentre in the contour views (whose pan offsets stay 0).
void panView(MapView& view, DataCentre& centre, bool overview, int dx, int dy);
void panOverview(MapView& view, int dx, int dy);
void panContourView(DataCentre& centre, int zoom, int dx, int dy);

// A drag step with the left button to (x, y): pans by the movement since the
// last mouse position and remembers (x, y).
void dragView(MapView& view, DataCentre& centre, bool overview, int x, int y);

// Moves the last clicked point (lastMouseX, lastMouseY) to the window centre.
void centreOnLastClick(MapView& view, DataCentre& centre, bool overview, int width, int height);

// Back to the initial position. Overview: zoom 256 and no pan; returns true
// when anything changed (the map must be redrawn). Contour views: only the pan
// offsets are cleared (zoom and centre stay) and no redraw is asked for.
bool resetViewPosition(MapView& view, bool overview);

}  // namespace vornel
