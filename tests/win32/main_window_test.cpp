// The main window under Wine: title, menu bar, about box, the guide command
// and shutdown.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

#include "bathymetry/data_folder.h"
#include "bathymetry/harbour_list.h"
#include "estimation/estimation_windows.h"
#include "mapview/view_transform.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"
#include "shell/window_context_win32.h"
#include "tests/support/recording_platform.h"
#include "version.h"
#include "win32_test_support.h"

#define VORNEL_WIDEN2(x) L##x
#define VORNEL_WIDEN(x) VORNEL_WIDEN2(x)
#define VORNEL_VERSION_WTEXT VORNEL_WIDEN(VORNEL_VERSION_TEXT)

namespace vornel {
namespace {

std::wstring menuText(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

TEST(MainWindow, OpensWithTitleMenuAndAboutBoxAndClosesWithCommand105) {
    test::enterRunFolder(L"main-window");
    resetAppState();
    HWND main = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(main, nullptr);
    SetWindowPos(main, nullptr, 0, 0, 900, 600, SWP_NOZORDER);
    test::pumpMessages(300);

    wchar_t title[100] = {};
    GetWindowTextW(main, title, 100);
    EXPECT_STREQ(title, L"VORNELシステム");
    wchar_t className[100] = {};
    GetClassNameW(main, className, 100);
    EXPECT_STREQ(className, L"VORNEL");
    EXPECT_EQ(appState().viewMode, VIEW_OVERVIEW);
    EXPECT_EQ(estimationWindows().paramDialogOpen, -1);

    // The menu bar: every top-level item in order.
    HMENU bar = GetMenu(main);
    ASSERT_NE(bar, nullptr);
    const wchar_t* expected[] = {L"ファイル(&F)",
                                 L"水深データ一覧から検索",
                                 L"M7000データ一覧から検索",
                                 L"地図から検索",
                                 L"拡大",
                                 L"縮小",
                                 L"←",
                                 L"→",
                                 L"↑",
                                 L"↓",
                                 L"初期位置",
                                 L"中心移動",
                                 L"設定のアンドゥ",
                                 L"ヘルプ(&H)"};
    ASSERT_EQ(GetMenuItemCount(bar), 14);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(menuText(bar, i), expected[i]) << i;
    EXPECT_EQ(GetMenuItemID(bar, 3), static_cast<UINT>(IDM_OVERVIEW));
    EXPECT_EQ(GetMenuItemID(bar, 12), static_cast<UINT>(IDM_UNDO));

    // Without data the start-up leaves no region popups, only the two chart scales.
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 2);

    // 水深データ一覧から検索 as built: 20 region placeholders, then the two chart scales
    // with ten sea areas each.
    HMENU resourceMenu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_VORNEL));
    HMENU data = GetSubMenu(resourceMenu, 1);
    ASSERT_EQ(GetMenuItemCount(data), 22);
    EXPECT_EQ(menuText(data, 0), L"1");
    EXPECT_EQ(menuText(GetSubMenu(data, 19), 0), L"-");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(data, 19), 0), static_cast<UINT>(IDM_PLACEHOLDER));
    EXPECT_EQ(menuText(data, 20), L"5万分の1");
    EXPECT_EQ(menuText(data, 21), L"20万分の1");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(data, 20)), 10);
    EXPECT_EQ(menuText(GetSubMenu(data, 21), 7), L"北海道太平洋・オホーツク海側");
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(IDM_REOPEN_CASE));
    EXPECT_EQ(menuText(file, 0), L"計算条件の読込(&O)...");
    EXPECT_EQ(GetMenuItemID(file, 1), static_cast<UINT>(IDM_BATCH));
    EXPECT_EQ(menuText(file, 1), L"観測波浪の一括推定(&B)...");
    EXPECT_EQ(GetMenuItemID(file, 3), static_cast<UINT>(IDM_PRINT_MAIN));
    EXPECT_EQ(GetMenuItemID(file, 7), static_cast<UINT>(IDM_EXIT));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 2), 0), static_cast<UINT>(IDM_M7000_FOLDER));
    DestroyMenu(resourceMenu);

    test::saveWindowImage(main, L"main-window-overview");

    // Alt+/ goes through the accelerator table to the about box.
    HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_VORNEL));
    ASSERT_NE(accelerators, nullptr);
    // Both Alt+? and Alt+/ send the about command.
    ACCEL entries[8];
    const int count = CopyAcceleratorTableW(accelerators, entries, 8);
    ASSERT_EQ(count, 4);
    EXPECT_EQ(entries[0].key, '?');
    EXPECT_EQ(entries[1].key, '/');
    EXPECT_EQ(entries[2].key, 'O');  // Ctrl+O reopens a case
    EXPECT_EQ(entries[2].fVirt & (FCONTROL | FVIRTKEY | FALT), FCONTROL | FVIRTKEY);
    EXPECT_EQ(entries[2].cmd, IDM_REOPEN_CASE);
    EXPECT_EQ(entries[3].key, 'Z');  // Ctrl+Z: 設定のアンドゥ
    EXPECT_EQ(entries[3].fVirt & (FCONTROL | FVIRTKEY | FALT), FCONTROL | FVIRTKEY);
    EXPECT_EQ(entries[3].cmd, IDM_UNDO);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(entries[i].fVirt & (FALT | FVIRTKEY), FALT);
        EXPECT_EQ(entries[i].cmd, IDM_ABOUT);
    }

    // The title bar's icon is the 16 x 16 one, not the large one shrunk.
    ICONINFO icon{};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(GetClassLongPtrW(main, GCLP_HICONSM)), &icon));
    BITMAP bits{};
    GetObjectW(icon.hbmColor ? icon.hbmColor : icon.hbmMask, sizeof bits, &bits);
    EXPECT_EQ(bits.bmWidth, GetSystemMetrics(SM_CXSMICON));
    if (icon.hbmColor) DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);

    // Real key strokes Alt+/ through a message loop like the program's.
    bool translated = false;
    const bool shown = test::whileWindowShows(
        L"バージョン情報",
        [&] {
            SetForegroundWindow(main);
            SetFocus(main);
            test::pressChord(VK_MENU, VK_OEM_2);
            const DWORD end = GetTickCount() + 3000;
            MSG msg;
            while (static_cast<LONG>(end - GetTickCount()) > 0) {
                while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    if (translateMainWindowKeys(msg)) {
                        translated = true;
                        continue;
                    }
                    TranslateMessage(&msg);
                    DispatchMessageW(&msg);
                }
                Sleep(10);
            }
        },
        [](HWND about) {
            test::saveWindowImage(about, L"about-box");
            wchar_t text[128] = {};
            GetDlgItemTextW(about, IDC_ABOUT_VERSION, text, 128);
            EXPECT_EQ(std::wstring(text), L"VORNEL  バージョン " VORNEL_VERSION_WTEXT);
            PostMessageW(about, WM_COMMAND, IDOK, 0);
        });
    EXPECT_TRUE(translated);
    EXPECT_TRUE(shown);

    // ヘルプ: 使い方ガイド above the version item. Without docs\ガイド.pdf in the
    // program folder the box names the path the guide should have.
    HMENU help = GetSubMenu(GetMenu(main), 13);
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(IDM_USER_GUIDE));
    EXPECT_EQ(menuText(help, 0), L"使い方ガイド(&G)");
    EXPECT_EQ(GetMenuItemID(help, 2), static_cast<UINT>(IDM_ABOUT));
    {
        RecordingPlatform boxes;
        const std::wstring guide = dataFolders().programFolder + L"\\docs\\ガイド.pdf";
        DeleteFileW(guide.c_str());
        SendMessageW(main, WM_COMMAND, IDM_USER_GUIDE, 0);
        ASSERT_EQ(boxes.warnings.size(), 1u);
        EXPECT_EQ(boxes.warnings[0].caption, L"使い方ガイド");
        EXPECT_NE(boxes.warnings[0].text.find(guide), std::wstring::npos) << test::narrow(boxes.warnings[0].text);
    }

    // Command 105 destroys the window and posts the quit message.
    SendMessageW(main, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_FALSE(IsWindow(main));
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) quit = true;
    EXPECT_TRUE(quit);
}

// A visible popup menu of this process (class #32768).
HWND openPopupMenu() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            wchar_t name[16] = {};
            GetClassNameW(hwnd, name, 16);
            if (pid != GetCurrentProcessId() || !IsWindowVisible(hwnd) || std::wstring(name) != L"#32768") return TRUE;
            *reinterpret_cast<HWND*>(param) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Keyboard users: the overview's pick menu opens from the menu key and
// Shift+F10 too; after a click on a side-panel box, Ctrl+O still reaches the
// main window (in the overview it says to choose data first).
TEST(MainWindow, KeysWorkAfterAClickOnTheSidePanel) {
    test::copySampleData(test::enterRunFolder(L"main-window-keys"));
    resetAppState();
    HWND main = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(main, nullptr);
    SetWindowPos(main, nullptr, 0, 0, 900, 600, SWP_NOZORDER);
    test::pumpMessages(300);
    // The pointer over the middle of a harbour's extent: the menu lists it.
    RECT client;
    GetClientRect(main, &client);
    PixelPoint at{-1, -1};
    for (int i = 0; i < harbourList().harbourCount && at.x < 0; ++i) {
        const HarbourRecord& h = harbourList().records[i];
        const PixelPoint centre = overviewToPixel((h.northLat + h.southLat) / 2, (h.westLon + h.eastLon) / 2,
                                                  appState().mapView, client.right, client.bottom);
        if (h.northLat > h.southLat && centre.x > 120 && centre.y > 100 && centre.x < client.right &&
            centre.y < client.bottom)
            at = centre;
    }
    ASSERT_GE(at.x, 0) << "no harbour in the window";
    POINT pointer{at.x, at.y};
    ClientToScreen(main, &pointer);
    SetCursorPos(pointer.x, pointer.y);

    std::atomic<bool> menuShown{false};
    std::thread watcher([&] {
        menuShown = test::waitFor([] { return openPopupMenu() != nullptr; }, 3000);
        PostMessageW(main, WM_CANCELMODE, 0, 0);
    });
    PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(-1, -1));
    test::pumpMessages(3500);
    watcher.join();
    EXPECT_TRUE(menuShown) << "no pick menu from the keyboard";

    RecordingPlatform boxes;
    HWND box = GetDlgItem(main, IDC_SOURCE_FIRST + 1);
    ASSERT_NE(box, nullptr);
    SetForegroundWindow(main);
    SetFocus(box);  // as a click on it leaves it
    test::pressChord(VK_CONTROL, 'O');
    const DWORD end = GetTickCount() + 2000;
    while (boxes.warnings.empty() && static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (translateMainWindowKeys(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    ASSERT_EQ(boxes.warnings.size(), 1u) << "Ctrl+O went to the check box";
    EXPECT_EQ(boxes.warnings[0].caption, L"計算条件の読込");

    // Alt+F opens the File menu from there too.
    SetFocus(box);
    std::atomic<bool> fileMenu{false};
    std::thread menuWatcher([&] {
        fileMenu = test::waitFor([] { return openPopupMenu() != nullptr; }, 3000);
        PostMessageW(main, WM_CANCELMODE, 0, 0);
    });
    test::pressChord(VK_MENU, 'F');
    const DWORD menuEnd = GetTickCount() + 3500;
    while (static_cast<LONG>(menuEnd - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (translateMainWindowKeys(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    menuWatcher.join();
    EXPECT_TRUE(fileMenu) << "Alt+F did not open the File menu";
    DestroyWindow(main);
    test::pumpMessages(100);
}

// An exception inside a window procedure (here the opening of the parameter
// dialog after a paint) is a box; the program goes on and paints again.
TEST(MainWindow, AnExceptionInAHandlerIsABoxAndTheProgramGoesOn) {
    test::enterRunFolder(L"main-window-fault");
    resetAppState();
    HWND main = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(main, nullptr);
    test::pumpMessages(200);
    const auto shipped = dialogHooks().openParameterDialog;
    dialogHooks().openParameterDialog = [](HWND) { throw std::runtime_error("test fault"); };
    appState().viewMode = VIEW_CONTOUR;
    std::wstring text;
    const bool shown = test::whileWindowShows(
        L"VORNEL",
        [&] {
            InvalidateRect(main, nullptr, TRUE);
            test::pumpMessages(1500);
        },
        [&](HWND box) {
            wchar_t buffer[512] = {};
            GetDlgItemTextW(box, 0xFFFF, buffer, 512);
            text = buffer;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
    dialogHooks().openParameterDialog = shipped;
    appState().viewMode = VIEW_OVERVIEW;
    ASSERT_TRUE(shown) << "no box: the exception crossed the window procedure";
    EXPECT_NE(text.find(L"test fault"), std::wstring::npos) << test::narrow(text);
    ASSERT_TRUE(IsWindow(main));
    InvalidateRect(main, nullptr, TRUE);
    test::pumpMessages(300);
    EXPECT_FALSE(GetUpdateRect(main, nullptr, FALSE));
    DestroyWindow(main);
    test::pumpMessages(100);
}

}  // namespace
}  // namespace vornel
