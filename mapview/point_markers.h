// The four estimation points over the contour views: a symbol per kind, the
// direction lines of the contour and diffraction points, and the grey line
// from the quasi-offshore point to the diffraction point.
#pragma once

#include <limits>

#include "mapview/canvas.h"
#include "mapview/map_state.h"

namespace vornel {

// An estimation point as its marker needs it: whether it is set, and where.
struct MarkedPoint {
    bool set = false;
    double east = 0.0;  // plane metres about the contour data's projection origin
    double north = 0.0;
};

// The points of a case, and the directions drawn through the diffraction
// point (its shore normal) and the contour point (θcon), in degrees clockwise
// from north; a direction that is not finite is not drawn.
struct MarkedPoints {
    MarkedPoint quasiOffshore;
    MarkedPoint contour;
    MarkedPoint diffraction;
    MarkedPoint offshore;
    double shoreNormal = std::numeric_limits<double>::quiet_NaN();
    double thetaCon = std::numeric_limits<double>::quiet_NaN();
};

void drawPointMarkers(Canvas& canvas, const MapState& map, const MarkedPoints& points, int width, int height);

// A dotted line through (x, y) (before the pan offsets of `map`) in palette
// colour `colourIndex`: 60 pixels towards `azimuth` (degrees clockwise from
// north) and 30 pixels behind. A non-finite azimuth draws nothing.
void drawDirectionLine(Canvas& canvas, const MapState& map, int x, int y, int colourIndex, double azimuth);

}  // namespace vornel
