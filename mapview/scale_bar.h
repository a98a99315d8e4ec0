// The scale bar in the bottom-right corner of the contour views.
#pragma once

#include "mapview/canvas.h"
#include "mapview/map_state.h"

namespace vornel {

struct ScaleBarLength {
    int metres;
    int pixels;
};

// The first round length (10 ... 90, 100 ... 900, 1000 ... 9000 m) that is at
// least 50 pixels long at `zoom` metres per pixel; 10 km beyond that.
ScaleBarLength scaleBarLength(int zoom);

void drawScaleBar(Canvas& canvas, const MapState& map, int width, int height);

}  // namespace vornel
