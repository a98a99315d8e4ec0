// Painting the main window's map for the current view mode, and the two
// line operations that every map drawing shares.
#pragma once

#include "mapview/canvas.h"

namespace vornel {

// Draws the whole map of appState().viewMode into a client area of
// width × height pixels: the overview, or the contour view with its markers.
// A full paint forgets any overview highlight.
void paintMap(Canvas& canvas, int width, int height);

// The closed outline (x1, y1) → (x2, y1) → (x2, y2) → (x1, y2) → (x1, y1) as
// one polyline, shifted by the pan offsets, with the current pen.
void drawRectOutline(Canvas& canvas, int x1, int y1, int x2, int y2);

// A line from (x1, y1) to (x2, y2), shifted by the pan offsets.
void drawSegment(Canvas& canvas, int x1, int y1, int x2, int y2);

}  // namespace vornel
