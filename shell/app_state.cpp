#include "shell/app_state.h"

#include "bathymetry/data_folder.h"
#include "estimation/estimation_windows.h"
#include "mapview/map_pick.h"
#include "mapview/overview_highlight.h"

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
    resetDataFolders();
    resetOverviewHighlight();
    resetEstimationWindows();
}

}  // namespace vornel
