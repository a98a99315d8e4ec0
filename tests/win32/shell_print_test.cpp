// Printing the main window for real: through Wine's print dialog to the CUPS
// PDF printer "PDF" (cups-pdf writes to ~/PDF of the printing user). Skipped
// when the machine has no such printer.
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

TEST(ShellPrint, MainWindowGoesToThePdfPrinter) {
    if (!hasPrinter(L"PDF")) GTEST_SKIP() << "no CUPS printer named PDF";
    test::enterRunFolder(L"shell-print");
    resetAppState();
    HWND main = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(main, nullptr);
    SetWindowPos(main, nullptr, 0, 0, 600, 400, SWP_NOZORDER);
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
    // The path for the render check that follows the test run.
    // The file and where the image should be, for the render check that
    // follows this test (tests/win32/check_printed_page.sh).
    const PrintedPage& page = lastPrintedPage();
    EXPECT_GT(page.scale, 0);
    if (FILE* note = _wfopen((test::buildFolder() + L"\\last-print.txt").c_str(), L"wb")) {
        fprintf(note, "%s\n%d %d %d %d %d %d %d %d %d\n", test::narrow(newest).c_str(), page.pageWidth,
                page.pageHeight, page.dotsPerInchX, page.dotsPerInchY, page.imageX, page.imageY, page.imageWidth,
                page.imageHeight, page.scale);
        fclose(note);
    }
    DestroyWindow(main);
    test::pumpMessages(100);
}

}  // namespace
}  // namespace vornel
