// The application state of the one main window, shared by the shell, the map
// view and the dialogs. There is exactly one instance for the whole run.
#pragma once

#include <string>

#include "mapview/map_state.h"
#include "platform/platform.h"

namespace vornel {

// The map's part (view mode, view, overview sources, depth colours) is what
// every drawing of the map is handed.
struct AppState : MapState {
    int pointKindSelection[4] = {0, 0, 0, 0};
};

AppState& appState();
// Back to the state at program start (tests).
void resetAppState();

}  // namespace vornel
