// Painting the main window's map for its view mode.
#pragma once

#include "mapview/canvas.h"
#include "mapview/map_state.h"
#include "mapview/point_markers.h"

namespace vornel {

// Draws the whole map of `map.viewMode` into a client area of width × height
// pixels: the overview, or the contour view with the markers of `points`.
// A full paint forgets any overview highlight.
void paintMap(Canvas& canvas, const MapState& map, const MarkedPoints& points, int width, int height);

}  // namespace vornel
