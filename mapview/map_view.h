// Zoom and pan of the map: the one view of the main window.
#pragma once

namespace vornel {

struct MapView {
    int zoom = 256;  // a power of two 1 ... 1024; metres per pixel in the contour views
    int panX = 0;    // pixel offsets
    int panY = 0;
    int lastMouseX = 0;  // client position of the last click
    int lastMouseY = 0;
};

}  // namespace vornel
