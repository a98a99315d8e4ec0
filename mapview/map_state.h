// What the map shows and how: the view mode, its zoom and pan, the overview's
// data sources and the colours of the depths. The main window keeps the one
// record, as part of its application state, and hands it to every drawing.
#pragma once

#include "mapview/map_view.h"

namespace vornel {

enum ViewMode { VIEW_CONTOUR = 0, VIEW_M7000 = 1, VIEW_OVERVIEW = 2 };

// Data-source order of every list, menu and colour.
enum DataSource { SOURCE_HARBOUR = 0, SOURCE_CHART50K = 1, SOURCE_CHART200K = 2, SOURCE_M7000 = 3 };

// The colour ramp of contour depths, one RGB entry per 2.5 m step (the pen
// palette's 200 ... 455).
using DepthColourTable = int[256][3];

struct MapState {
    int viewMode = VIEW_OVERVIEW;
    MapView mapView;
    int overviewSourceFlags[4] = {1, 0, 0, 0};  // by DataSource: 1 shows its extents on the overview
    DepthColourTable depthColourTable = {};
};

}  // namespace vornel
