#include "shell/app_state.h"

namespace vornel {

namespace {
AppState state;
}

AppState& appState() {
    return state;
}

void resetAppState() {
    state = AppState{};
}

}  // namespace vornel
