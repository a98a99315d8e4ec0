// The shell on the sample data, driven through real messages: overview, pick
// menu, contour view, pick read-outs, point setting, zoom and pan, undo and
// the way back to the overview.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bathymetry/contour_files.h"
#include "bathymetry/contour_store.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/m7000_list.h"
#include "estimation/estimation_windows.h"
#include "mapview/map_pick.h"
#include "mapview/view_transform.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"
#include "shell/side_panel.h"
#include "win32_test_support.h"

namespace vornel {
namespace {

// Copies the committed sample data set into the current folder.
void copySampleData() {
    const char* source = std::getenv("VORNEL_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    std::wstring folder = L"Z:";
    for (const char* c = source; *c; ++c) folder += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    namespace fs = std::filesystem;
    const fs::path sample = fs::path(folder) / L"sample";
    for (const fs::directory_entry& entry : fs::directory_iterator(sample)) {
        const fs::path target = fs::current_path() / entry.path().filename();
        fs::remove_all(target);  // a run before left its copy (and its index files)
        fs::copy(entry.path(), target, fs::copy_options::recursive);
    }
}

// Stands in for the parameter dialog: records the commands the main window sends it.
std::vector<int> dialogCommands;
LRESULT CALLBACK recordingDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        dialogCommands.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == IDM_CLOSE_DIALOG) estimationWindows().paramDialogOpen = -1;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND createRecordingDialog() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = recordingDialogProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VornelRecordingDialog";
    RegisterClassW(&wc);
    return CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

// Opens the stand-in instead of the real (modal) parameter dialog, so that
// this test keeps the one thread; the real dialog has its own tests.
HWND standInDialog = nullptr;
void openStandInDialog(HWND) {
    if (!standInDialog) standInDialog = createRecordingDialog();
    estimationWindows().paramDialog = standInDialog;
    estimationWindows().paramDialogOpen = 1;
    dialogCommands.push_back(0);  // 0 marks "opened"
}

std::wstring controlText(HWND main, int id) {
    wchar_t text[128] = {};
    GetDlgItemTextW(main, id, text, 128);
    return text;
}

// While `action` runs (it opens the popup menu), a watcher reads the popup's
// items and picks item `choose` with the keyboard (-1: closes it).
std::vector<std::pair<std::wstring, int>> whilePopupShows(const std::function<void()>& action,
                                                          const std::function<int(HMENU)>& choose) {
    std::vector<std::pair<std::wstring, int>> items;
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        for (int tries = 0; tries < 200 && !done; ++tries) {
            HWND popup = FindWindowW(L"#32768", nullptr);
            if (popup && IsWindowVisible(popup)) {
                Sleep(300);
                HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
                for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
                    wchar_t text[128] = {};
                    GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
                    items.emplace_back(text, static_cast<int>(GetMenuItemID(menu, i)));
                }
                const int position = menu ? choose(menu) : -1;
                for (int i = 0; i <= position; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
                PostMessageW(popup, WM_KEYDOWN, position >= 0 ? VK_RETURN : VK_ESCAPE, 0);
                return;
            }
            Sleep(50);
        }
    });
    action();
    done = true;
    watcher.join();
    return items;
}

TEST(ShellFlow, OverviewPickMenuContourViewPickZoomPanAndBack) {
    test::enterRunFolder(L"shell-flow");
    copySampleData();
    resetAppState();
    resetM7000Lists();
    HWND main = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(main, nullptr);
    const auto realOpen = dialogHooks().openParameterDialog;
    dialogHooks().openParameterDialog = openStandInDialog;
    dialogCommands.clear();
    SetWindowPos(main, nullptr, 0, 0, 900, 640, SWP_NOZORDER);
    test::pumpMessages(300);
    AppState& app = appState();
    RECT client;
    GetClientRect(main, &client);

    // ---- Overview: the source boxes, and the harbour menus filled from the list ----
    ASSERT_GT(harbourList().harbourCount, 0);
    ASSERT_NE(GetDlgItem(main, 40), nullptr);
    EXPECT_EQ(SendDlgItemMessageW(main, 40, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageW(main, 41, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(GetDlgItem(main, 10), nullptr);
    HMENU data = GetSubMenu(GetMenu(main), 1);
    EXPECT_EQ(GetMenuItemCount(data), regionList().regionCount + 2);
    for (int r = 0; r < GetMenuItemCount(data) - 2; ++r) {
        HMENU region = GetSubMenu(data, r);
        for (int k = 0; k < GetMenuItemCount(region); ++k) EXPECT_NE(GetMenuItemID(region, k), 65535u);
    }
    test::saveWindowImage(main, L"shell-1-overview");

    // The harbour to choose: the first whose extent centre lies in the window.
    int harbour = -1;
    PixelPoint at{};
    for (int i = 0; i < harbourList().harbourCount && harbour < 0; ++i) {
        const HarbourRecord& r = harbourList().records[i];
        at = overviewToPixel((r.northLat + r.southLat) / 2, (r.westLon + r.eastLon) / 2, app.mapView, client.right,
                             client.bottom);
        if (r.northLat > r.southLat && at.x > 150 && at.y > 100 && at.x < client.right && at.y < client.bottom)
            harbour = i;
    }
    ASSERT_GE(harbour, 0);
    const HarbourRecord& h = harbourList().records[harbour];
    const std::wstring name = platform().fromCp932(h.name);

    // ---- Right click: the pick menu holds the harbour; choosing it opens its contours ----
    int chosenPosition = -1;
    const auto items = whilePopupShows(
        [&] {
            PostMessageW(main, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            test::pumpMessages(2500);
        },
        [&](HMENU menu) {
            for (int i = 0; i < GetMenuItemCount(menu); ++i)
                if (GetMenuItemID(menu, i) == static_cast<UINT>(IDM_HARBOUR_FIRST + harbour)) chosenPosition = i;
            return chosenPosition;
        });
    ASSERT_GE(chosenPosition, 0) << "the pick menu lacks the harbour; items: " << items.size() << " at " << at.x << ","
                                 << at.y;
    EXPECT_EQ(items[chosenPosition].first, name);
    test::pumpMessages(500);
    ASSERT_EQ(app.viewMode, VIEW_CONTOUR);
    EXPECT_EQ(harbourList().records[harbour].selected, 1);
    // Choosing the harbour opened the parameter dialog.
    ASSERT_FALSE(dialogCommands.empty());
    EXPECT_EQ(dialogCommands.front(), 0);
    EXPECT_EQ(estimationWindows().paramDialogOpen, 1);
    loadSelectedContours();  // what the contour view's paint does first (at once when done already)
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_GT(contourStore().contourPointCount, 0);
    EXPECT_EQ(GetDlgItem(main, 40), nullptr);
    EXPECT_EQ(controlText(main, 10), widen("緯度："));
    EXPECT_EQ(controlText(main, 30), widen("設定"));
    // The harbour's item in its region popup carries the check.
    bool checked = false;
    for (int r = 0; r < regionList().regionCount; ++r)
        for (int k = 0; k < GetMenuItemCount(GetSubMenu(data, r)); ++k)
            if (GetMenuItemID(GetSubMenu(data, r), k) == static_cast<UINT>(IDM_HARBOUR_FIRST + harbour))
                checked = GetMenuState(GetSubMenu(data, r), k, MF_BYPOSITION) & MF_CHECKED;
    EXPECT_TRUE(checked);
    test::saveWindowImage(main, L"shell-2-contour-view");

    // ---- A click fills the read-outs from the pick ----
    const int cx = client.right / 2 + 37, cy = client.bottom / 2 - 21;
    SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cx, cy));
    ASSERT_LT(mapPick().entry[0].lat, 90.0);
    EXPECT_EQ(controlText(main, 10), latitudeReadOut(mapPick().entry[0].lat));
    EXPECT_EQ(controlText(main, 11), longitudeReadOut(mapPick().entry[0].lon));
    EXPECT_EQ(controlText(main, 12), depthReadOut(mapPick().entry[0].depth));
    EXPECT_EQ(app.mapView.lastMouseX, cx);
    test::saveWindowImage(main, L"shell-3-picked");
    SendMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(cx, cy));

    // ---- Point kind and "設定", undo: sent to the parameter dialog ----
    HWND dialog = standInDialog;
    ASSERT_EQ(estimationWindows().paramDialog, dialog);
    dialogCommands.clear();
    SendDlgItemMessageW(main, 51, BM_CLICK, 0, 0);
    EXPECT_EQ(app.pointKindSelection[1], 1);
    SendDlgItemMessageW(main, 30, BM_CLICK, 0, 0);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(main, WM_KEYDOWN, 'Z', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    SendMessageW(main, WM_KEYDOWN, 'Z', 0);  // without Ctrl: nothing
    EXPECT_EQ(dialogCommands, (std::vector<int>{IDM_SET_KIND_FIRST + 1, IDM_UNDO}));

    // ---- Zoom and pan: menu, wheel, drag ----
    const DataCentre start = contourStore().dataCentre;
    SendMessageW(main, WM_COMMAND, IDM_ZOOM_IN, 0);
    EXPECT_EQ(app.mapView.zoom, 128);
    // A touchpad's thirds of a notch add up to one zoom step, in their direction.
    SendMessageW(main, WM_MOUSEWHEEL, MAKEWPARAM(0, 40), 0);
    SendMessageW(main, WM_MOUSEWHEEL, MAKEWPARAM(0, 40), 0);
    EXPECT_EQ(app.mapView.zoom, 128);
    SendMessageW(main, WM_MOUSEWHEEL, MAKEWPARAM(0, 40), 0);
    EXPECT_EQ(app.mapView.zoom, 64);
    SendMessageW(main, WM_MOUSEWHEEL, MAKEWPARAM(0, -240), 0);  // two notches back
    EXPECT_EQ(app.mapView.zoom, 256);
    SendMessageW(main, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(app.mapView.zoom, 128);
    SendMessageW(main, WM_COMMAND, IDM_PAN_LEFT, 0);
    EXPECT_FLOAT_EQ(contourStore().dataCentre.centreEast, start.centreEast + 100 * 128);
    SendMessageW(main, WM_COMMAND, IDM_PAN_UP, 0);
    EXPECT_FLOAT_EQ(contourStore().dataCentre.centreNorth, start.centreNorth - 100 * 128);
    SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 300));
    SendMessageW(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(420, 310));
    SendMessageW(main, WM_MOUSEMOVE, 0, MAKELPARAM(500, 500));  // button released: no pan
    EXPECT_FLOAT_EQ(contourStore().dataCentre.centreEast, start.centreEast + 100 * 128 - 20 * 128);
    EXPECT_FLOAT_EQ(contourStore().dataCentre.centreNorth, start.centreNorth - 100 * 128 + 10 * 128);
    EXPECT_EQ(app.mapView.panX, 0);
    test::pumpMessages(300);
    test::saveWindowImage(main, L"shell-4-zoomed-panned");

    // ---- "地図から検索": the overview again, the dialog closed by the repaint ----
    SendMessageW(main, WM_COMMAND, IDM_OVERVIEW, 0);
    test::pumpMessages(300);
    EXPECT_EQ(app.viewMode, VIEW_OVERVIEW);
    EXPECT_EQ(GetDlgItem(main, 10), nullptr);
    EXPECT_NE(GetDlgItem(main, 40), nullptr);
    EXPECT_EQ(dialogCommands.back(), IDM_CLOSE_DIALOG);
    EXPECT_EQ(estimationWindows().paramDialogOpen, -1);
    EXPECT_TRUE(checked);
    test::saveWindowImage(main, L"shell-5-back-to-overview");

    // Overview pan by drag and home.
    app.mapView.zoom = 256;
    SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    SendMessageW(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 90));
    EXPECT_EQ(app.mapView.panX, 30);
    EXPECT_EQ(app.mapView.panY, -10);
    SendMessageW(main, WM_COMMAND, IDM_ZOOM_IN, 0);
    EXPECT_EQ(app.mapView.panX, 60);
    SendMessageW(main, WM_COMMAND, IDM_HOME, 0);
    EXPECT_EQ(app.mapView.zoom, 256);
    EXPECT_EQ(app.mapView.panX, 0);

    // Choosing the same harbour from the menu while the overview is shown switches back.
    dialogCommands.clear();
    estimationWindows().paramDialogOpen = 1;
    SendMessageW(main, WM_COMMAND, IDM_HARBOUR_FIRST + harbour, 0);
    EXPECT_EQ(app.viewMode, VIEW_CONTOUR);
    EXPECT_EQ(dialogCommands, std::vector<int>{IDM_CLEAR_INPUT});
    // An id beyond the list is no command.
    EXPECT_EQ(SendMessageW(main, WM_COMMAND, IDM_HARBOUR_FIRST + harbourList().harbourCount, 0), 0);

    estimationWindows().paramDialogOpen = -1;
    estimationWindows().paramDialog = nullptr;
    dialogHooks().openParameterDialog = realOpen;
    DestroyWindow(dialog);
    standInDialog = nullptr;
    DestroyWindow(main);
    test::pumpMessages(100);
}

}  // namespace
}  // namespace vornel
