// The overview highlight on the main window's own device context.
#pragma once

#include <windows.h>

#include "mapview/map_state.h"

namespace vornel {

void highlightOverviewItem(HWND window, const MapState& map, int kind, int index);
void clearOverviewHighlight(HWND window, const MapState& map);

// WM_MENUSELECT of the main window showing `map`: in the overview, highlights
// the extent of the data entry under the mouse; any other item, or the menu
// closing, restores the last one.
void onMenuSelectHighlight(HWND window, const MapState& map, UINT id, UINT flags, HMENU menu);

}  // namespace vornel
