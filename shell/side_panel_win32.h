// The side-panel controls of the main window.
#pragma once

#include <windows.h>

namespace vornel {

// Replaces the panel of `oldMode` (-1: none yet) by that of appState().viewMode.
void rebuildSidePanel(HWND window, int oldMode);
// Writes the latitude, longitude and depth read-outs from the map pick.
void showPickReadOuts(HWND window);

}  // namespace vornel
