// A click on a contour map: the depth query at the clicked point, with its
// marks drawn over the map, and the record of the last one.
#pragma once

#include "geodesy/contour_query.h"
#include "mapview/canvas.h"
#include "mapview/map_view.h"

namespace vornel {

// The result of the last click on a contour map: entry 0 the clicked point,
// entry 1 the nearest contour point. One for the whole run: the side panel
// shows it and the parameter dialog sets its points from it.
using MapPickRecord = PointQuery;
MapPickRecord& mapPick();
// Back to no pick (tests, and with the rest of the application state).
void resetMapPick();

// A click at client pixel (x, y) on the contour map of client size width ×
// height in `view`: marks it (a black cross at the click, a green circle at
// the queried point), fills mapPick(). Returns 0 on an empty store (nothing
// drawn or filled), 9 when a diffraction point is being placed on a contour
// deeper than 0.1 m, else 1. `canvas` may be null (nothing drawn).
int pickAtScreenPoint(Canvas* canvas, const MapView& view, int x, int y, int width, int height, int placingDiffraction);

}  // namespace vornel
