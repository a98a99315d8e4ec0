// The two line operations that every map drawing shares: lines given before
// the pan offsets, drawn shifted by them with the current pen.
#pragma once

#include "mapview/canvas.h"
#include "mapview/map_view.h"

namespace vornel {

// The closed outline (x1, y1) → (x2, y1) → (x2, y2) → (x1, y2) → (x1, y1) as
// one polyline.
void drawRectOutline(Canvas& canvas, const MapView& view, int x1, int y1, int x2, int y2);

// A line from (x1, y1) to (x2, y2).
void drawSegment(Canvas& canvas, const MapView& view, int x1, int y1, int x2, int y2);

}  // namespace vornel
