// The two contour views: contour lines coloured by depth, then the scale bar.
#pragma once

#include "mapview/canvas.h"
#include "mapview/map_state.h"

namespace vornel {

// Palette index of a contour line of `depth` metres in view `viewMode`:
// red on land and at the waterline, then one ramp step per 2.5 m; in the
// harbour and chart view 900 m and more are brown.
int depthColourIndex(double depth, int viewMode);

// The depth step (metres) of the levels that the M7000 view shows at `zoom`;
// 0 when every level is shown.
int m7000LevelStep(int zoom);
// Whether a level of `depth` metres is shown at `zoom` in the M7000 view.
bool m7000LevelVisible(double depth, int zoom);

// Harbour and chart view: rebuilds the store if the selection changed, draws
// it and the scale bar.
void drawChartContours(Canvas& canvas, const MapState& map, int width, int height);
// M7000 view: the levels of the zoom's step, then the scale bar.
void drawM7000Contours(Canvas& canvas, const MapState& map, int width, int height);

// The store's contours without reload or scale bar, in the view and colours
// of `map`; `viewMode` picks the colour rule and the level filter.
void drawStoreContours(Canvas& canvas, const MapState& map, int width, int height, int viewMode);

}  // namespace vornel
