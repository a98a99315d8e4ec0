// Mouse and keyboard input of the main window's map.
#include <windowsx.h>

#include <cstdlib>

#include "mapview/overview_highlight_win32.h"
#include "mapview/view_transform.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/data_choice.h"
#include "shell/data_menus_win32.h"
#include "shell/main_commands_win32.h"
#include "shell/map_pick_win32.h"

namespace vornel {

namespace {

bool isOverview() {
    return appState().viewMode == VIEW_OVERVIEW;
}

// Set from a press on the map until its release: only such a drag pans. A
// move with the button held that began elsewhere (a click in the dialog,
// the button pressed outside and brought over the map) would pan from a
// stale position and make the map jump.
bool dragging = false;

}  // namespace

void onMapLeftButtonDown(HWND window, int x, int y) {
    // Keys typed after a click on the map are the map's (and its menu's),
    // not those of a side-panel button clicked before.
    if (GetFocus() != window) SetFocus(window);
    MapView& view = appState().mapView;
    view.lastMouseX = x;
    view.lastMouseY = y;
    // The drag goes on when the pointer leaves the window.
    SetCapture(window);
    dragging = true;
    if (!isOverview()) pickMapPoint(window, x, y);
}

void onMapMouseMove(HWND window, WPARAM keys, int x, int y) {
    if (!(keys & MK_LBUTTON) || !dragging) return;
    dragView(appState().mapView, contourStore().dataCentre, isOverview(), x, y);
    redrawMap(window);
}

void onMapLeftButtonUp(HWND window) {
    dragging = false;
    if (GetCapture() == window) ReleaseCapture();
}

void onMapCaptureLost() {
    dragging = false;
}

void onMapContextMenu(HWND window, LPARAM screen) {
    RECT client;
    GetClientRect(window, &client);
    POINT at{GET_X_LPARAM(screen), GET_Y_LPARAM(screen)};
    if (at.x == -1 && at.y == -1) {
        GetCursorPos(&at);
        ScreenToClient(window, &at);
        if (!PtInRect(&client, at)) at = {client.right / 2, client.bottom / 2};
    } else {
        ScreenToClient(window, &at);
    }
    onMapRightButtonUp(window, at.x, at.y);
}

void onMapRightButtonUp(HWND window, int x, int y) {
    if (!isOverview()) return;
    AppState& app = appState();
    app.mapView.lastMouseX = x;
    app.mapView.lastMouseY = y;
    clearOverviewHighlight(window, app);
    RECT client;
    GetClientRect(window, &client);
    const GeoPoint point = overviewPixelToGeo(x, y, app.mapView, client.right, client.bottom);
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    buildPickMenu(menu, point.lat, point.lon);
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    // The chosen item comes back as an ordinary WM_COMMAND.
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, window, nullptr);
    DestroyMenu(menu);
}

void onMapWheel(HWND window, int notches) {
    for (int step = 0; step < std::abs(notches); ++step) runMainCommand(window, wheelCommand(notches));
}

void onMapKeyDown(HWND window, WPARAM key) {
    // While the parameter dialog runs its own message loop the accelerator
    // table is not consulted: the main window's keys arrive here.
    if (key == 'Z' && GetKeyState(VK_CONTROL) < 0) runMainCommand(window, IDM_UNDO);
    if (key == 'O' && GetKeyState(VK_CONTROL) < 0) runMainCommand(window, IDM_REOPEN_CASE);
}

}  // namespace vornel
