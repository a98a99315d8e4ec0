// The four estimation points over the contour views: a symbol per kind, the
// direction lines of the contour and diffraction points, and the grey line
// from the quasi-offshore point to the diffraction point.
#pragma once

#include "mapview/canvas.h"

namespace vornel {

void drawPointMarkers(Canvas& canvas, int width, int height);

// A dotted line through (x, y) (before the pan offsets) in palette colour
// `colourIndex`: 60 pixels towards `azimuth` (degrees clockwise from north)
// and 30 pixels behind. An unset or non-finite azimuth draws nothing.
void drawDirectionLine(Canvas& canvas, int x, int y, int colourIndex, double azimuth);

}  // namespace vornel
