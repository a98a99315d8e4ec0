// Printing the main window for real: through Wine's print dialog to the CUPS
// PDF printer "PDF" (cups-pdf writes to ~/PDF of the printing user), with
// another window over it. Skipped when the machine has no such printer.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"
#include "shell/print_win32.h"
#include "win32_test_support.h"

namespace vornel {
namespace {

bool hasPrinter(const std::wstring& name) {
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0) return false;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(), needed, &needed,
                       &count))
        return false;
    auto* printers = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        if (name == printers[i].pPrinterName) return true;
    return false;
}

std::set<std::wstring> pdfsIn(const std::filesystem::path& folder) {
    std::set<std::wstring> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == L".pdf") files.insert(entry.path().wstring());
    return files;
}

std::vector<HWND> visibleOwnWindows(const std::wstring& caption) {
    struct Found {
        const std::wstring& caption;
        std::vector<HWND> windows;
    } found{caption, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* f = reinterpret_cast<Found*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            wchar_t text[64] = {};
            GetWindowTextW(window, text, 64);
            if (process == GetCurrentProcessId() && IsWindowVisible(window) && f->caption == text)
                f->windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

// A colour that no map draws: the print must not show it.
constexpr COLORREF kCoverColour = RGB(250, 170, 20);

// Printed with a window of kCoverColour over all of it, and a second print
// command while the print dialog is open.
TEST(ShellPrint, MainWindowGoesToThePdfPrinter) {
    if (!hasPrinter(L"PDF")) GTEST_SKIP() << "no CUPS printer named PDF";
    test::copySampleData(test::enterRunFolder(L"shell-print"));
    resetAppState();
    HWND main = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(main, nullptr);
    SetWindowPos(main, nullptr, 0, 0, 600, 400, SWP_NOZORDER);
    WNDCLASSW coverClass{};
    coverClass.lpfnWndProc = DefWindowProcW;
    coverClass.hInstance = GetModuleHandleW(nullptr);
    coverClass.hbrBackground = CreateSolidBrush(kCoverColour);
    coverClass.lpszClassName = L"VornelPrintCover";
    RegisterClassW(&coverClass);
    HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"VornelPrintCover", L"", WS_POPUP | WS_VISIBLE, 0,
                                 0, 620, 420, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(cover, nullptr);
    test::pumpMessages(300);

    const std::filesystem::path output(L"Z:\\root\\PDF");
    const std::set<std::wstring> before = pdfsIn(output);
    std::wstring dialogTitle;
    const bool shown = test::whileWindowShows(
        L"印刷",
        [&] {
            PostMessageW(main, WM_COMMAND, IDM_PRINT_MAIN, 0);
            test::pumpMessages(4000);
        },
        [&](HWND dialog) {
            test::saveWindowImage(dialog, L"shell-print-dialog");
            PostMessageW(main, WM_COMMAND, IDM_PRINT_MAIN, 0);
            Sleep(1000);
            const std::vector<HWND> dialogs = visibleOwnWindows(L"印刷");
            EXPECT_EQ(dialogs.size(), 1u) << "a second print dialog opened";
            for (HWND other : dialogs)
                if (other != dialog) PostMessageW(other, WM_COMMAND, IDCANCEL, 0);
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
    ASSERT_TRUE(shown) << "the print dialog did not appear";

    // cups-pdf writes the file a little after the job left Wine.
    std::set<std::wstring> after;
    for (int i = 0; i < 100 && after.size() <= before.size(); ++i) {
        Sleep(200);
        after = pdfsIn(output);
    }
    ASSERT_GT(after.size(), before.size()) << "no PDF appeared";
    std::wstring newest;
    for (const auto& f : after)
        if (!before.count(f)) newest = f;
    Sleep(500);
    EXPECT_GT(std::filesystem::file_size(newest), 1000u);
    // The file, where the image should be and the colour it must not show,
    // for the render check that follows this test (tests/win32/check_printed_page.sh).
    const PrintedPage& page = lastPrintedPage();
    EXPECT_GT(page.scale, 0);
    // The job is named after what it prints (the queue and cups-pdf's file name show it), one copy, one page.
    EXPECT_EQ(page.documentName, L"VORNEL 地図");
    EXPECT_EQ(std::filesystem::path(newest).filename().wstring().substr(0, 6), L"VORNEL");
    EXPECT_EQ(page.copies, 1);
    EXPECT_EQ(page.pages, 1);
    if (FILE* note = _wfopen((test::buildFolder() + L"\\last-print.txt").c_str(), L"wb")) {
        fprintf(note, "%s\n%d %d %d %d %d %d %d %d %d\n#%02X%02X%02X\n", test::narrow(newest).c_str(), page.pageWidth,
                page.pageHeight, page.dotsPerInchX, page.dotsPerInchY, page.imageX, page.imageY, page.imageWidth,
                page.imageHeight, page.scale, GetRValue(kCoverColour), GetGValue(kCoverColour), GetBValue(kCoverColour));
        fclose(note);
    }
    DestroyWindow(cover);
    DestroyWindow(main);
    test::pumpMessages(100);
}

}  // namespace
}  // namespace vornel
