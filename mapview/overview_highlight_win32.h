// The overview highlight on the main window's own device context.
#pragma once

#include <windows.h>

namespace vornel {

void highlightOverviewItem(HWND window, int kind, int index);
void clearOverviewHighlight(HWND window);

// WM_MENUSELECT of the main window: in the overview, highlights the extent of
// the data entry under the mouse; any other item, or the menu closing,
// restores the last one.
void onMenuSelectHighlight(HWND window, UINT id, UINT flags, HMENU menu);

}  // namespace vornel
