// A click on a contour map: the pick at the point and the read-outs.
#pragma once

#include <windows.h>

namespace vornel {

// Picks the contour map at client pixel (x, y), draws the pick's cross on the
// window and writes the side panel's read-outs. No redraw.
void pickMapPoint(HWND window, int x, int y);

}  // namespace vornel
