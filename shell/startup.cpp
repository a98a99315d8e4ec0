#include "shell/startup.h"

#include "shell/app_state.h"
#include "shell/depth_colours.h"

namespace vornel {

void loadStartupData(WindowRef /*owner*/) {
    AppState& app = appState();
    app.programFolder = platform().currentFolder();
    buildDepthColourTable(app.depthColourTable);
}

}  // namespace vornel
