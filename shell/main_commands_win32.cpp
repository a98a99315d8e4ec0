// The command table of the main window: each id goes to one named handler.
#include "shell/main_commands_win32.h"

#include "bathymetry/chart_tables.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/m7000_depth_table.h"
#include "bathymetry/m7000_index.h"
#include "bathymetry/m7000_list.h"
#include "bathymetry/m7000_search.h"
#include "estimation/estimation_dialogs_win32.h"
#include "estimation/estimation_windows.h"
#include "estimation/result.h"
#include "mapview/view_transform.h"
#include "resources/resource.h"
#include "shell/about_box_win32.h"
#include "shell/app_state.h"
#include "shell/data_choice.h"
#include "shell/data_menus.h"
#include "shell/data_menus_win32.h"
#include "shell/folder_picker_win32.h"
#include "shell/print_job.h"
#include "shell/print_win32.h"
#include "shell/side_panel.h"
#include "shell/side_panel_win32.h"
#include "shell/user_guide_win32.h"
#include "shell/window_context_win32.h"

namespace vornel {

namespace {

bool isOverview() {
    return appState().viewMode == VIEW_OVERVIEW;
}

void sendToDialog(WindowRef dialog, int command) {
    if (dialog) SendMessageW(static_cast<HWND>(dialog), WM_COMMAND, command, 0);
}

// A chosen data entry is worked on in the parameter dialog: open it, or start
// it afresh when it is open already.
void openOrClearParameterDialog(HWND window) {
    const EstimationWindows& windows = estimationWindows();
    if (windows.paramDialogOpen < 0) {
        if (dialogHooks().openParameterDialog) dialogHooks().openParameterDialog(window);
    } else {
        sendToDialog(windows.paramDialog, IDM_CLEAR_INPUT);
    }
}

void switchToDataView(HWND window, int mode) {
    const int old = enterViewMode(mode);
    rebuildSidePanel(window, old);
    redrawMap(window);
    openOrClearParameterDialog(window);
}

// ---- Handlers: each returns false only for an id that is no command ----

bool setPointFromPick(HWND, int) {
    const int kind = pointKindToSet();
    if (kind < 0) return true;
    const EstimationWindows& windows = estimationWindows();
    sendToDialog(windows.paramDialog, IDM_SET_KIND_FIRST + kind);
    // A result shown for the old point no longer holds.
    if (windows.resultDialogOpen >= 0) sendToDialog(windows.resultDialog, IDM_CLOSE_DIALOG);
    return true;
}

bool toggleSource(HWND window, int id) {
    if (toggleOverviewSource(id)) redrawMap(window);
    return true;
}

bool choosePointKind(HWND, int id) {
    flipPointKind(id);
    return true;
}

bool about(HWND window, int) {
    showAboutBox(window);
    return true;
}

bool userGuide(HWND window, int) {
    openUserGuide(window);
    return true;
}

bool exitProgram(HWND window, int) {
    DestroyWindow(window);
    return true;
}

bool zoom(HWND window, int id) {
    MapView& view = appState().mapView;
    const bool changed = id == IDM_ZOOM_IN ? zoomIn(view, isOverview()) : zoomOut(view, isOverview());
    if (changed) redrawMap(window);
    return true;
}

bool pan(HWND window, int id) {
    // Each step moves the map content 100 pixels the way the arrow points.
    const int step = 100;
    const int dx = id == IDM_PAN_LEFT ? -step : id == IDM_PAN_RIGHT ? step : 0;
    const int dy = id == IDM_PAN_UP ? -step : id == IDM_PAN_DOWN ? step : 0;
    panView(appState().mapView, contourStore().dataCentre, isOverview(), dx, dy);
    redrawMap(window);
    return true;
}

bool home(HWND window, int) {
    if (resetViewPosition(appState().mapView, isOverview())) redrawMap(window);
    return true;
}

bool centreOnClick(HWND window, int) {
    RECT client;
    GetClientRect(window, &client);
    centreOnLastClick(appState().mapView, contourStore().dataCentre, isOverview(), client.right, client.bottom);
    redrawMap(window);
    return true;
}

bool backToOverview(HWND window, int) {
    if (isOverview()) return true;
    const int old = enterViewMode(VIEW_OVERVIEW);
    rebuildSidePanel(window, old);
    redrawMap(window);  // the paint of the overview closes the parameter dialog
    return true;
}

// Each print is named in the printer's queue after what it holds: the map of
// the data shown, or the case by its title.
bool print(HWND window, int id) {
    const EstimationWindows& windows = estimationWindows();
    if (id == IDM_PRINT_MAIN) {
        printWindowImage(window, printDocumentName("地図", isOverview() ? std::wstring() : selectedEntryName()));
    } else if (id == IDM_PRINT_PARAMS && windows.paramDialogOpen >= 0 && windows.paramDialog) {
        HWND dialog = static_cast<HWND>(windows.paramDialog);
        wchar_t title[257] = {};
        GetDlgItemTextW(dialog, 1539, title, 257);
        printWindowImage(dialog, printDocumentName("逆推定パラメータ", title));
    } else if (id == IDM_PRINT_RESULTS && windows.resultDialogOpen >= 0 && windows.resultDialog) {
        printWindowImage(static_cast<HWND>(windows.resultDialog),
                         printDocumentName("逆推定結果", platform().fromCp932(estimationResult().caseName)));
    }
    return true;
}

bool chooseHarbourOrChart(HWND window, int id) {
    int list, index, count;
    if (id >= IDM_CHART200K_FIRST) {
        list = LIST_CHART200K, index = id - IDM_CHART200K_FIRST, count = chart200kList().count;
    } else if (id >= IDM_CHART50K_FIRST) {
        list = LIST_CHART50K, index = id - IDM_CHART50K_FIRST, count = chart50kList().count;
    } else {
        list = LIST_HARBOUR, index = id - IDM_HARBOUR_FIRST, count = harbourList().harbourCount;
    }
    if (index >= count) return false;
    WindowMenus menus(window);
    if (chooseListEntry(menus, list, index)) switchToDataView(window, VIEW_CONTOUR);
    return true;
}

bool chooseM7000(HWND window, int id) {
    const int j = id - IDM_M7000_FIRST;
    if (j >= m7000DataSetList().m7000DataSetCount) return false;
    WindowMenus menus(window);
    if (chooseM7000DataSet(menus, window, j)) switchToDataView(window, VIEW_M7000);
    return true;
}

bool undoPointSetting(HWND, int) {
    if (estimationWindows().paramDialogOpen >= 0) sendToDialog(estimationWindows().paramDialog, IDM_UNDO);
    return true;
}

bool setM7000Folder(HWND window, int) {
    std::wstring folder;
    if (pickFolder(window, folder)) acceptM7000Folder(window, folder);
    {
        WaitCursor wait;  // the index build may read every data set of the folder
        findM7000DataSets(window);
        loadM7000Index(window);
    }
    rebuildM7000Menu(window);
    afterM7000FolderChange();
    redrawMap(window);
    return true;
}

bool reopenCase(HWND window, int) {
    reopenCaseFromReport(window);
    return true;
}

bool estimateRecord(HWND window, int) {
    estimateWaveRecord(window);
    return true;
}

struct CommandRange {
    int first;
    int last;
    bool (*handler)(HWND window, int id);
};

constexpr CommandRange kCommands[] = {
    {IDC_SET_POINT, IDC_SET_POINT, setPointFromPick},
    {IDC_SOURCE_FIRST, IDC_SOURCE_FIRST + 3, toggleSource},
    {IDC_KIND_FIRST, IDC_KIND_FIRST + 3, choosePointKind},
    {IDM_ABOUT, IDM_ABOUT, about},
    {IDM_USER_GUIDE, IDM_USER_GUIDE, userGuide},
    {IDM_EXIT, IDM_EXIT, exitProgram},
    {IDM_ZOOM_IN, IDM_ZOOM_OUT, zoom},
    {IDM_PAN_LEFT, IDM_PAN_DOWN, pan},
    {IDM_HOME, IDM_HOME, home},
    {IDM_CENTRE, IDM_CENTRE, centreOnClick},
    {IDM_OVERVIEW, IDM_OVERVIEW, backToOverview},
    {IDM_PRINT_MAIN, IDM_PRINT_RESULTS, print},
    {IDM_HARBOUR_FIRST, IDM_HARBOUR_FIRST + kHarbourCapacity - 1, chooseHarbourOrChart},
    {IDM_CHART50K_FIRST, IDM_CHART50K_FIRST + kChart50kCapacity - 1, chooseHarbourOrChart},
    {IDM_CHART200K_FIRST, IDM_CHART200K_FIRST + kChart200kCapacity - 1, chooseHarbourOrChart},
    {IDM_M7000_FIRST, IDM_M7000_FIRST + kM7000DataSetCapacity - 1, chooseM7000},
    {IDM_UNDO, IDM_UNDO, undoPointSetting},
    {IDM_M7000_FOLDER, IDM_M7000_FOLDER, setM7000Folder},
    {IDM_REOPEN_CASE, IDM_REOPEN_CASE, reopenCase},
    {IDM_BATCH, IDM_BATCH, estimateRecord},
};

}  // namespace

void redrawMap(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
}

bool runMainCommand(HWND window, int id) {
    for (const CommandRange& command : kCommands)
        if (command.first <= id && id <= command.last) return command.handler(window, id);
    return false;
}

}  // namespace vornel
