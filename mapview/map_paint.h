// Painting the main window's map for the current view mode.
#pragma once

#include "mapview/canvas.h"

namespace vornel {

// Draws the whole map of appState().viewMode into a client area of
// width × height pixels: the overview, or the contour view with its markers.
void paintMap(Canvas& canvas, int width, int height);

}  // namespace vornel
