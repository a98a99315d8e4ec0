#include "shell/app_state.h"

#include "mapview/map_pick.h"

namespace vornel {

namespace {
AppState state;
}

AppState& appState() {
    return state;
}

void resetAppState() {
    state = AppState{};
    resetMapPick();
}

}  // namespace vornel
