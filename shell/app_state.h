// The application state of the one main window: what the map shows (its map
// part, which every drawing of the map is handed) and the point kind chosen in
// the side panel. There is exactly one instance for the whole run. The rooms
// below keep the records they write themselves: the data folders, the
// estimation's windows, the map pick and the overview highlight.
#pragma once

#include "mapview/map_state.h"

namespace vornel {

struct AppState : MapState {
    int pointKindSelection[4] = {0, 0, 0, 0};  // by point kind: 1 chosen in the side panel
};

AppState& appState();
// Back to the state at program start, the rooms' records above with it (tests).
void resetAppState();

}  // namespace vornel
