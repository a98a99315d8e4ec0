// The whole flow on the sample data with the real parameter dialog and the
// system folder picker. Both are modal and run their own message loops on the
// UI thread, so a driver thread does everything through real messages: posted
// for what opens a modal window, sent (cross-thread, served by whichever loop
// runs) for the rest, and every wait has a timeout.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/m7000_list.h"
#include "estimation/estimation_windows.h"
#include "estimation/field_checks.h"
#include "estimation/params.h"
#include "mapview/map_pick.h"
#include "mapview/view_transform.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/data_menus.h"
#include "shell/main_window_win32.h"
#include "shell/side_panel.h"
#include "win32_test_support.h"

namespace vornel {
namespace {

const wchar_t kParamCaption[] = L"VORNELパラメータ";
const wchar_t kPickerCaption[] = L"フォルダーの選択";
constexpr int kFileNameEdit = 1152;

using test::waitFor;

// A cross-thread send that gives up after 10 s instead of blocking the test.
LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    bool answered = false;
    const LRESULT result = test::sendWithTimeout(window, message, wParam, lParam, &answered);
    EXPECT_TRUE(answered) << "message " << message << " not answered";
    return result;
}

using test::controlText;

// The main window has painted everything it was asked to.
bool painted(HWND window) {
    return waitFor([&] { return !GetUpdateRect(window, nullptr, FALSE); }, 5000);
}

COLORREF clientPixel(HWND window, PixelPoint at) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, at.x, at.y);
    ReleaseDC(window, dc);
    return colour;
}

// A pixel of the red diagonal cross of the quasi-offshore point at `c`: its
// centre and a point on each arm.
int redCrossPixelsNow(HWND window, PixelPoint c) {
    int red = 0;
    for (const PixelPoint p : {c, PixelPoint{c.x + 6, c.y + 6}, PixelPoint{c.x - 6, c.y + 6}})
        red += clientPixel(window, p) == RGB(255, 0, 0);
    return red;
}

// Under Wine a paint reaches the screen a moment after WM_PAINT ends: wait up
// to two seconds for the expected count before taking what is there.
int redCrossPixels(HWND window, PixelPoint c, int expected) {
    waitFor([&] { return redCrossPixelsNow(window, c) == expected; }, 2000);
    return redCrossPixelsNow(window, c);
}

// Leaves nothing modal open, so that the UI thread gets back to the test's
// own loop: picker cancelled, popup menus ended, parameter dialog closed.
void closeWhatIsOpen(HWND main) {
    if (HWND picker = test::findOwnWindow(kPickerCaption)) {
        PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
        waitFor([&] { return !IsWindow(picker) || !IsWindowVisible(picker); }, 5000);
    }
    PostMessageW(main, WM_CANCELMODE, 0, 0);
    const EstimationWindows& windows = estimationWindows();
    if (windows.paramDialogOpen > 0 && windows.paramDialog)
        PostMessageW(static_cast<HWND>(windows.paramDialog), WM_COMMAND, IDM_CLOSE_DIALOG, 0);
    waitFor([&] { return windows.paramDialogOpen < 0 && !test::findOwnWindow(kParamCaption); }, 5000);
}

// The harbour to choose: the first whose extent centre lies inside the window.
int harbourInWindow(HWND main) {
    RECT client;
    GetClientRect(main, &client);
    for (int i = 0; i < harbourList().harbourCount; ++i) {
        const HarbourRecord& r = harbourList().records[i];
        const PixelPoint at = overviewToPixel((r.northLat + r.southLat) / 2, (r.westLon + r.eastLon) / 2,
                                              appState().mapView, client.right, client.bottom);
        if (r.northLat > r.southLat && at.x > 150 && at.y > 100 && at.x < client.right && at.y < client.bottom)
            return i;
    }
    return -1;
}

class RealFlow : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::enterRunFolder(L"real-flow");
        test::copySampleData(folder_);
        resetAppState();
        resetM7000Lists();
        resetEstimationParams();
        resetContourStore();
        dataFolders().programFolder = folder_;
    }
    void TearDown() override {
        resetContourStore();
        resetEstimationParams();
        resetAppState();
    }

    // Creates the main window, runs `drive` on a driver thread and pumps this
    // thread's messages as the program's loop does until the driver is done.
    void run(const std::function<void(HWND)>& drive) {
        HWND main = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
        ASSERT_NE(main, nullptr);
        // Right of where the parameter dialog opens (the screen's left edge).
        SetWindowPos(main, nullptr, 370, 0, 900, 640, SWP_NOZORDER);
        test::pumpMessages(300);
        test::runDriver([&] {
            drive(main);
            closeWhatIsOpen(main);
        });
        DestroyWindow(main);
        test::pumpMessages(100);
    }

    std::wstring folder_;
};

// Pastes one stage's screenshot and says where it is.
void screenshot(HWND window, const wchar_t* name) {
    EXPECT_FALSE(test::saveWindowImage(window, name).empty()) << test::narrow(name);
}

TEST_F(RealFlow, HarbourPointUndoZoomPanOverviewAndM7000Folder) {
    run([&](HWND main) {
        AppState& app = appState();
        const EstimationParams& params = estimationParams();
        RECT client;
        GetClientRect(main, &client);
        const int width = client.right, height = client.bottom;

        // ---- 1. Overview; a harbour from the menu: contour view and the real dialog ----
        ASSERT_EQ(app.viewMode, VIEW_OVERVIEW);
        screenshot(main, L"real-1-overview");
        const int harbour = harbourInWindow(main);
        ASSERT_GE(harbour, 0);
        PostMessageW(main, WM_COMMAND, IDM_HARBOUR_FIRST + harbour, 0);
        HWND dialog = nullptr;
        ASSERT_TRUE(waitFor([&] { return (dialog = test::findOwnWindow(kParamCaption)) != nullptr; }))
            << "the parameter dialog did not open";
        EXPECT_EQ(app.viewMode, VIEW_CONTOUR);
        EXPECT_EQ(estimationWindows().paramDialogOpen, 1);
        EXPECT_EQ(estimationWindows().paramDialog, dialog);
        ASSERT_TRUE(waitFor([] { return contourStore().contourPointCount > 0; }));
        ASSERT_TRUE(painted(main));
        RECT own, mainRect;
        GetWindowRect(dialog, &own);
        GetWindowRect(main, &mainRect);
        EXPECT_LE(own.right, mainRect.left) << "the dialog covers the map";
        EXPECT_EQ(controlText(main, IDC_READOUT_LAT), widen("緯度："));
        screenshot(main, L"real-1-contour-view");
        screenshot(dialog, L"real-1-parameter-dialog");

        // ---- 2. A click in the sea, kind 準沖波地点, "設定": the point, its fields, its marker ----
        // Around the window centre (the harbour), the first click with water under it.
        bool sea = false;
        int cx = 0, cy = 0;
        for (int step = 0; step < 12 && !sea; ++step) {
            cx = width / 2 + 40 + 15 * step;
            cy = height / 2 + 30 + 10 * step;
            send(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cx, cy));
            send(main, WM_LBUTTONUP, 0, MAKELPARAM(cx, cy));
            const PickEntry& e = mapPick().entry[0];
            sea = e.lat < 90.0 && e.depth > 0.0 && e.depth < 9000.0 && mapPick().entry[1].lat < 90.0;
        }
        ASSERT_TRUE(sea) << "no click found water near the harbour";
        const PickEntry picked = mapPick().entry[0];
        EXPECT_EQ(controlText(main, IDC_READOUT_LAT), latitudeReadOut(picked.lat));
        EXPECT_EQ(controlText(main, IDC_READOUT_LON), longitudeReadOut(picked.lon));
        EXPECT_EQ(controlText(main, IDC_READOUT_DEPTH), depthReadOut(picked.depth));
        screenshot(main, L"real-2-picked");
        // The pick's own drawing goes with the next paint; no marker is there yet.
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE);
        ASSERT_TRUE(painted(main));
        const PixelPoint at =
            pointToPixel(picked.east, picked.north, app.mapView, contourStore().dataCentre, width, height);
        EXPECT_EQ(redCrossPixels(main, at, 0), 0);

        // Clicked twice, the radio button stays checked and its kind chosen.
        for (int click = 0; click < 2; ++click) {
            send(GetDlgItem(main, IDC_KIND_FIRST + POINT_QUASI_OFFSHORE), BM_CLICK);
            EXPECT_EQ(app.pointKindSelection[POINT_QUASI_OFFSHORE], 1) << click;
            EXPECT_EQ(send(GetDlgItem(main, IDC_KIND_FIRST + POINT_QUASI_OFFSHORE), BM_GETCHECK), BST_CHECKED);
        }
        send(GetDlgItem(main, IDC_SET_POINT), BM_CLICK);
        ASSERT_TRUE(params.quasiOffshorePoint.isSet());
        EXPECT_DOUBLE_EQ(params.quasiOffshorePoint.lat, picked.lat);
        EXPECT_DOUBLE_EQ(params.quasiOffshorePoint.lon, picked.lon);
        EXPECT_DOUBLE_EQ(params.quasiOffshorePoint.depth, picked.depth);
        const DmsTexts lat = showDms(picked.lat, false), lon = showDms(picked.lon, true);
        EXPECT_EQ(controlText(dialog, 1500), std::to_wstring(static_cast<int>(picked.lat)));
        EXPECT_EQ(controlText(dialog, 1500), lat.degrees);
        EXPECT_EQ(controlText(dialog, 1501), lat.minutes);
        EXPECT_EQ(controlText(dialog, 1502), lat.seconds);
        EXPECT_EQ(controlText(dialog, 1503), std::to_wstring(static_cast<int>(picked.lon)));
        EXPECT_EQ(controlText(dialog, 1504), lon.minutes);
        EXPECT_EQ(controlText(dialog, 1505), lon.seconds);
        EXPECT_EQ(controlText(dialog, 1506), depthText(picked.depth));
        EXPECT_FALSE(controlText(dialog, 1506).empty());
        ASSERT_TRUE(painted(main));
        EXPECT_EQ(redCrossPixels(main, at, 3), 3) << "no red cross at " << at.x << "," << at.y;
        screenshot(main, L"real-2-point-set");
        screenshot(dialog, L"real-2-dialog-fields");

        // ---- 2b. Esc, twice as when cancelling a conversion: the dialog keeps the case across a repaint ----
        HWND waveHeight = GetDlgItem(dialog, 1508);
        send(waveHeight, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2.5"));
        for (int i = 0; i < 2; ++i) {
            PostMessageW(waveHeight, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PostMessageW(waveHeight, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        }
        Sleep(300);
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE);
        ASSERT_TRUE(painted(main));
        send(main, WM_NULL);
        EXPECT_EQ(estimationWindows().paramDialog, dialog) << "Esc closed the dialog";
        EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog));
        EXPECT_EQ(controlText(dialog, 1508), L"2.5");
        EXPECT_EQ(controlText(dialog, 1506), depthText(picked.depth));
        EXPECT_TRUE(params.quasiOffshorePoint.isSet());

        // ---- 3. Ctrl+Z: the point is gone again, its fields are empty ----
        // Typed after a click on the side panel, whose button then has the
        // focus, through the parameter dialog's loop as a user's keys go.
        // The key state is per thread: share this thread's with the UI thread.
        const DWORD uiThread = GetWindowThreadProcessId(main, nullptr);
        HWND radio = GetDlgItem(main, IDC_KIND_FIRST + POINT_QUASI_OFFSHORE);
        PostMessageW(radio, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(radio, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        const auto guiThread = [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(uiThread, &info);
            return info;
        };
        EXPECT_TRUE(waitFor([&] { return guiThread().hwndFocus == radio; }, 3000)) << "the click left no focus";
        ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), uiThread, TRUE));
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        PostMessageW(radio, WM_KEYDOWN, 'Z', 0x002C0001);
        waitFor([&] { return !params.quasiOffshorePoint.isSet(); }, 3000);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        AttachThreadInput(GetCurrentThreadId(), uiThread, FALSE);
        EXPECT_FALSE(params.quasiOffshorePoint.isSet()) << "Ctrl+Z went to the side panel's button";
        for (int id = 1500; id <= 1506; ++id) EXPECT_EQ(controlText(dialog, id), L"") << id;
        ASSERT_TRUE(painted(main));
        EXPECT_EQ(redCrossPixels(main, at, 0), 0);
        // Without Ctrl the key does nothing: set again, 'Z' alone keeps it.
        send(GetDlgItem(main, IDC_SET_POINT), BM_CLICK);
        ASSERT_TRUE(params.quasiOffshorePoint.isSet());
        send(main, WM_KEYDOWN, 'Z', 0);
        EXPECT_TRUE(params.quasiOffshorePoint.isSet());
        send(main, WM_COMMAND, IDM_UNDO);  // the menu's undo
        EXPECT_FALSE(params.quasiOffshorePoint.isSet());
        EXPECT_EQ(controlText(dialog, 1506), L"");
        screenshot(main, L"real-3-undone");

        // ---- 4. Zoom and pan: menu, wheel, drag ----
        const DataCentre start = contourStore().dataCentre;
        const int zoom = app.mapView.zoom;
        send(main, WM_COMMAND, IDM_ZOOM_IN);
        EXPECT_EQ(app.mapView.zoom, zoom / 2);
        send(main, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
        EXPECT_EQ(app.mapView.zoom, zoom);
        send(main, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
        const int z = zoom / 2;
        EXPECT_EQ(app.mapView.zoom, z);
        send(main, WM_COMMAND, IDM_PAN_LEFT);
        EXPECT_FLOAT_EQ(contourStore().dataCentre.centreEast, start.centreEast + 100.0f * z);
        EXPECT_FLOAT_EQ(contourStore().dataCentre.centreNorth, start.centreNorth);
        send(main, WM_COMMAND, IDM_PAN_DOWN);
        EXPECT_FLOAT_EQ(contourStore().dataCentre.centreNorth, start.centreNorth + 100.0f * z);
        send(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 300));
        send(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(430, 280));
        send(main, WM_LBUTTONUP, 0, MAKELPARAM(430, 280));
        send(main, WM_MOUSEMOVE, 0, MAKELPARAM(600, 500));  // button up: no pan
        EXPECT_FLOAT_EQ(contourStore().dataCentre.centreEast, start.centreEast + 100.0f * z - 30.0f * z);
        EXPECT_FLOAT_EQ(contourStore().dataCentre.centreNorth, start.centreNorth + 100.0f * z - 20.0f * z);
        // The button held over the map after a press elsewhere pans nothing.
        send(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 100));
        EXPECT_FLOAT_EQ(contourStore().dataCentre.centreEast, start.centreEast + 100.0f * z - 30.0f * z);
        // A drag holds the mouse and goes on left of the window (signed
        // positions); the click gave the keyboard focus back to the map.
        send(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 300));
        EXPECT_EQ(guiThread().hwndCapture, main);
        EXPECT_EQ(guiThread().hwndFocus, main);
        send(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-20, 300));
        send(main, WM_LBUTTONUP, 0, MAKELPARAM(-20, 300));
        EXPECT_EQ(guiThread().hwndCapture, nullptr);
        EXPECT_FLOAT_EQ(contourStore().dataCentre.centreEast, start.centreEast + 100.0f * z - 30.0f * z + 60.0f * z);
        send(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 300));  // and back
        send(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(460, 300));
        send(main, WM_LBUTTONUP, 0, MAKELPARAM(460, 300));
        EXPECT_FLOAT_EQ(contourStore().dataCentre.centreEast, start.centreEast + 100.0f * z - 30.0f * z);
        EXPECT_EQ(app.mapView.panX, 0);
        EXPECT_EQ(app.mapView.panY, 0);
        // The point set now is drawn where the moved map puts it.
        send(GetDlgItem(main, IDC_SET_POINT), BM_CLICK);
        ASSERT_TRUE(params.quasiOffshorePoint.isSet());
        ASSERT_TRUE(painted(main));
        const PixelPoint moved = pointToPixel(params.quasiOffshorePoint.east, params.quasiOffshorePoint.north,
                                              app.mapView, contourStore().dataCentre, width, height);
        EXPECT_EQ(redCrossPixels(main, moved, 3), 3) << "no red cross at " << moved.x << "," << moved.y;
        screenshot(main, L"real-4-zoomed-panned");

        // ---- 5. "地図から検索": the overview; its paint closes the dialog ----
        send(main, WM_COMMAND, IDM_OVERVIEW);
        EXPECT_EQ(app.viewMode, VIEW_OVERVIEW);
        ASSERT_TRUE(waitFor([&] { return estimationWindows().paramDialogOpen == -1 && !IsWindow(dialog); }))
            << "the parameter dialog stayed open";
        EXPECT_EQ(GetDlgItem(main, IDC_READOUT_LAT), nullptr);
        EXPECT_NE(GetDlgItem(main, IDC_SOURCE_FIRST), nullptr);
        screenshot(main, L"real-5-overview-again");

        // ---- 6. The M7000 folder through the system folder picker ----
        PostMessageW(main, WM_COMMAND, IDM_M7000_FOLDER, 0);
        HWND picker = nullptr;
        ASSERT_TRUE(waitFor([&] { return (picker = test::findOwnWindow(kPickerCaption)) != nullptr; }, 15000))
            << "the folder picker did not appear";
        Sleep(500);  // let it fill its view
        screenshot(picker, L"real-6-folder-picker");
        // Owned by the main window: in front of it, and the menu cannot open a second one.
        EXPECT_EQ(GetWindow(picker, GW_OWNER), main);
        EXPECT_FALSE(IsWindowEnabled(main));
        HWND edit = GetDlgItem(picker, kFileNameEdit);
        ASSERT_NE(edit, nullptr);
        const std::wstring m7000 = folder_ + L"\\M7000";
        send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m7000.c_str()));
        PostMessageW(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(waitFor([&] { return !IsWindow(picker) || !IsWindowVisible(picker); }))
            << "the folder picker stayed open";
        ASSERT_TRUE(waitFor([] { return m7000DataSetList().m7000DataSetCount == 2; }, 20000))
            << "data sets found: " << m7000DataSetList().m7000DataSetCount;
        EXPECT_EQ(_wcsicmp(dataFolders().m7000Folder.c_str(), m7000.c_str()), 0)
            << test::narrow(dataFolders().m7000Folder);
        // The menu is read here, inside the process: the folder item, a separator, the sets.
        send(main, WM_NULL);  // the command has returned
        HMENU menu = GetSubMenu(GetMenu(main), 2);
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(GetMenuItemCount(menu), 4);
        EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(IDM_M7000_FOLDER));
        EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
        for (int j = 0; j < 2; ++j) {
            wchar_t text[128] = {};
            GetMenuStringW(menu, 2 + j, text, 128, MF_BYPOSITION);
            EXPECT_EQ(text, platform().fromCp932(m7000DisplayName(j))) << j;
            EXPECT_EQ(GetMenuItemID(menu, 2 + j), static_cast<UINT>(IDM_M7000_FIRST + j));
        }

        PostMessageW(main, WM_COMMAND, IDM_M7000_FIRST, 0);
        ASSERT_TRUE(waitFor([&] { return (dialog = test::findOwnWindow(kParamCaption)) != nullptr; }, 20000))
            << "the parameter dialog did not open for the M7000 data set";
        EXPECT_EQ(app.viewMode, VIEW_M7000);
        EXPECT_EQ(estimationWindows().paramDialogOpen, 1);
        EXPECT_EQ(m7000DataSetList().dataSets[0].selected, 1);
        EXPECT_GT(contourStore().contourPointCount, 0);
        EXPECT_TRUE(GetMenuState(menu, 2, MF_BYPOSITION) & MF_CHECKED);
        ASSERT_TRUE(painted(main));
        screenshot(main, L"real-6-m7000-view");

        send(main, WM_COMMAND, IDM_OVERVIEW);
        EXPECT_TRUE(waitFor([&] { return estimationWindows().paramDialogOpen == -1 && !IsWindow(dialog); }))
            << "the parameter dialog stayed open";
        EXPECT_EQ(app.viewMode, VIEW_OVERVIEW);
    });
}

}  // namespace
}  // namespace vornel
