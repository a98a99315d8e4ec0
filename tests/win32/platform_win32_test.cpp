// The Win32 side of the platform seam under Wine: directory listings, the
// Shift_JIS conversion, the warning box and COM for the user-interface thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "platform/com_apartment_win32.h"
#include "platform/platform.h"
#include "resources/resource.h"
#include "win32_test_support.h"

namespace vornel {
namespace {

// "*.con" must not list "x.conf", which the system matches through its short
// name X~1.CON, nor "y.con2": a contour file of another kind read as a harbour.
TEST(PlatformWin32, ListingsTakeOnlyNamesThatMatchThePattern) {
    const std::wstring folder = test::enterRunFolder(L"listing");
    for (const wchar_t* name : {L"a.con", L"B.CON", L"x.conf", L"y.con2", L"longer name.con", L"6326_1", L"6326"})
        CloseHandle(CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    auto names = [&](const wchar_t* pattern) {
        std::wstring all;
        for (const DirEntry& e : systemPlatform().listDirectory(folder, pattern)) all += e.name + L"|";
        return all;
    };
    const std::wstring cons = names(L"*.con");
    EXPECT_NE(cons.find(L"a.con|"), std::wstring::npos);
    EXPECT_NE(cons.find(L"B.CON|"), std::wstring::npos);
    EXPECT_NE(cons.find(L"longer name.con|"), std::wstring::npos);
    EXPECT_EQ(cons.find(L"conf"), std::wstring::npos) << test::narrow(cons);
    EXPECT_EQ(cons.find(L"con2"), std::wstring::npos) << test::narrow(cons);
    EXPECT_EQ(names(L"????_?"), L"6326_1|");
}

// A look-alike would name another file or folder: ¥ is no backslash and ë no e.
TEST(PlatformWin32, ShiftJisHasNoBestFitLookAlikes) {
    Platform& p = systemPlatform();
    EXPECT_EQ(p.toCp932(L"Zo\u00EB"), "Zo?");
    EXPECT_EQ(p.toCp932(L"a\u00A5b"), "a?b");
    EXPECT_EQ(p.toCp932(L"\u6E2F"), "\x8D\x60");  // 港 as it is
    EXPECT_FALSE(exactCp932(L"C:\\data\u00A5x").has_value());
}

// The box of a warning holds every window of the program, not only its
// owner, and belongs to the window in front when none is given.
TEST(PlatformWin32, AWarningBoxDisablesEveryWindowWhileItShows) {
    auto popup = [](const wchar_t* title, int x) {
        return CreateWindowExW(0, L"STATIC", title, WS_POPUP | WS_CAPTION | WS_VISIBLE, x, 100, 300, 200, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    };
    HWND main = popup(L"main", 400), dialog = popup(L"dialog", 50);  // the dialog has no owner, as the parameter dialog
    SetActiveWindow(dialog);
    test::pumpMessages(200);
    HWND owner = nullptr;
    bool mainEnabled = true, dialogEnabled = true;
    const bool shown = test::whileWindowShows(
        L"箱のテスト", [&] { systemPlatform().warn(nullptr, L"箱のテスト", L"テスト"); },
        [&](HWND box) {
            owner = GetWindow(box, GW_OWNER);
            mainEnabled = IsWindowEnabled(main);
            dialogEnabled = IsWindowEnabled(dialog);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
    ASSERT_TRUE(shown);
    EXPECT_EQ(owner, dialog);
    EXPECT_FALSE(mainEnabled) << "the map stayed live behind the box";
    EXPECT_FALSE(dialogEnabled);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowEnabled(dialog));
    DestroyWindow(main);
    DestroyWindow(dialog);
}

// The entry point's apartment: COM for the thread while it lives, and none
// after it (a shell dialog no longer ends it).
TEST(PlatformWin32, ComApartmentLastsAsLongAsItsHolder) {
    HRESULT during = E_FAIL, after = S_OK;
    APTTYPE type = APTTYPE_MTA;
    std::thread([&] {
        {
            const ComApartment com;
            APTTYPEQUALIFIER qualifier;
            during = CoGetApartmentType(&type, &qualifier);
        }
        APTTYPE none;
        APTTYPEQUALIFIER qualifier;
        after = CoGetApartmentType(&none, &qualifier);
    }).join();
    EXPECT_EQ(during, S_OK);
    EXPECT_TRUE(type == APTTYPE_STA || type == APTTYPE_MAINSTA);
    EXPECT_EQ(after, CO_E_NOTINITIALIZED);
}

}  // namespace
}  // namespace vornel
