#include "shell/startup.h"

#include "bathymetry/chart_index.h"
#include "bathymetry/chart_tables.h"
#include "bathymetry/coastline.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/harbour_index.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/spreading_relations.h"
#include "shell/app_state.h"
#include "shell/depth_colours.h"

namespace vornel {

namespace {
StartupHooks hooks;
}

StartupHooks& startupHooks() {
    return hooks;
}

void loadStartupData(WindowRef owner) {
    AppState& app = appState();
    dataFolders().programFolder = platform().currentFolder();
    loadHarbourList(owner);
    loadHarbourIndex();
    loadChartTable(owner, CHART_50K);
    loadChartTable(owner, CHART_200K);
    loadChartIndex(CHART_50K);
    loadChartIndex(CHART_200K);
    loadSpreadingRelations(owner);
    if (hooks.buildDataMenus) hooks.buildDataMenus(owner);
    loadCoastline();
    buildDepthColourTable(app.depthColourTable);
}

}  // namespace vornel
