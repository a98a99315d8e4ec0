#include "shell/map_pick_win32.h"

#include "mapview/gdi_canvas_win32.h"
#include "mapview/map_pick.h"
#include "shell/app_state.h"
#include "shell/gdi_guards_win32.h"
#include "shell/side_panel_win32.h"

namespace vornel {

void pickMapPoint(HWND window, int x, int y) {
    RECT client;
    GetClientRect(window, &client);
    {
        // The cross goes straight onto the window; the next paint removes it.
        WindowDC dc(window);
        if (dc.get()) {
            GdiCanvas canvas(dc.get());
            const int placingDiffraction = appState().pointKindSelection[2] == 1 ? 1 : 0;
            pickAtScreenPoint(&canvas, appState().mapView, x, y, client.right, client.bottom, placingDiffraction);
        }
    }
    // An empty store leaves the pick as it was; the read-outs show it again.
    showPickReadOuts(window);
}

}  // namespace vornel
