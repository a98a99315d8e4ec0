// The application state of the one main window, shared by the shell, the map
// view and the dialogs. There is exactly one instance for the whole run.
#pragma once

#include <string>

#include "mapview/map_view.h"
#include "platform/platform.h"

namespace vornel {

enum ViewMode { VIEW_CONTOUR = 0, VIEW_M7000 = 1, VIEW_OVERVIEW = 2 };

// Data-source order of every list, menu and colour.
enum DataSource { SOURCE_HARBOUR = 0, SOURCE_CHART50K = 1, SOURCE_CHART200K = 2, SOURCE_M7000 = 3 };

struct AppState {
    WindowRef mainWindow = nullptr;
    WindowRef paramDialog = nullptr;
    WindowRef resultDialog = nullptr;
    int paramDialogOpen = -1;  // 1 open, -1 closed
    int resultDialogOpen = -1;
    int viewMode = VIEW_OVERVIEW;
    MapView mapView;
    int overviewSourceFlags[4] = {1, 0, 0, 0};
    int pointKindSelection[4] = {0, 0, 0, 0};
    int depthColourTable[256][3] = {};
    int overviewHighlightKind = -1;
    int overviewHighlightIndex = -1;
};

AppState& appState();
// Back to the state at program start (tests).
void resetAppState();

}  // namespace vornel
