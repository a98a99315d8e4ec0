// An engineer's own bathymetry: a depth grid turned by vornel-contour.exe into
// an M7000 data set, which VORNEL then opens from its M7000 folder as a user
// would (folder picker, M7000 menu), with a point typed in the parameter
// dialog getting the depth of the seabed the grid was made from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/m7000_list.h"
#include "estimation/estimation_windows.h"
#include "estimation/field_checks.h"
#include "estimation/params.h"
#include "platform/platform.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/data_menus.h"
#include "shell/main_window_win32.h"
#include "tests/support/recording_platform.h"
#include "win32_test_support.h"

namespace vornel {
namespace {

using test::controlText;
using test::waitFor;

const wchar_t kParamCaption[] = L"VORNELパラメータ";
constexpr int kPickerNameEdit = 1152;

// A planar seabed off 鹿島: 25 × 17 cell centres 0.01° apart from 35.80°N,
// 140.60°E, 4 m deep at 140.60°E and 2.5 m deeper every 0.01° eastwards.
constexpr int kColumns = 25, kRows = 17;
constexpr double kCell = 0.01, kWest = 140.60, kSouth = 35.80;
double seabedDepth(double lon) {
    return 4.0 + 250.0 * (lon - kWest);
}

// The grid as QGIS exports it: corner-referenced header, elevations (negative
// below the sea), the northern row first.
void writeGrid(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "ncols %d\r\nnrows %d\r\nxllcorner %.3f\r\nyllcorner %.3f\r\ncellsize %.2f\r\n"
                       "NODATA_value -9999\r\n",
                 kColumns, kRows, kWest - kCell / 2, kSouth - kCell / 2, kCell);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            std::fprintf(file, column ? " %.4f" : "%.4f", -seabedDepth(kWest + column * kCell));
        std::fprintf(file, "\r\n");
    }
    ASSERT_EQ(std::fclose(file), 0);
}

struct Conversion {
    DWORD exitCode = 0xFFFFFFFF;
    std::wstring output;  // standard output, from Shift_JIS
};

// Runs vornel-contour.exe as from a command prompt, its output into a pipe.
Conversion convert(const std::wstring& arguments) {
    Conversion result;
    const std::wstring exe = test::buildFolder() + L"\\gridcontour\\vornel-contour.exe";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string bytes;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    result.output = platform().fromCp932(bytes);
    return result;
}

// A window of the process `id` with this class ("#32770": a message box).
HWND windowOfProcess(DWORD id, const wchar_t* className) {
    struct Search {
        DWORD id;
        const wchar_t* className;
        HWND found;
    } search{id, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            wchar_t name[64] = {};
            GetWindowThreadProcessId(window, &owner);
            GetClassNameW(window, name, 64);
            if (owner != s.id || wcscmp(name, s.className) != 0) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct DetachedRun {
    DWORD exitCode = 0xFFFFFFFF;
    bool ended = false;    // within the time allowed
    bool showedBox = false;
};

// Runs vornel-contour.exe as Task Scheduler or a service does: `flags`
// DETACHED_PROCESS (no console) or CREATE_NO_WINDOW, and no standard handles.
// A message box of the run is closed (and counted), so that a fault cannot
// hang the suite.
DetachedRun runWithoutConsole(const std::wstring& arguments, DWORD flags) {
    DetachedRun result;
    const std::wstring exe = test::buildFolder() + L"\\gridcontour\\vornel-contour.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // all three null
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                        &process))
        return result;
    for (int waited = 0; waited < 30000; waited += 100) {
        if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) {
            result.ended = true;
            break;
        }
        if (HWND box = windowOfProcess(process.dwProcessId, L"#32770")) {
            result.showedBox = true;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    if (!result.ended) TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

std::wstring lastLine(const std::wstring& text) {
    std::wstring line = text;
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
    return line.substr(line.find_last_of(L"\r\n") == std::wstring::npos ? 0 : line.find_last_of(L"\r\n") + 1);
}

class OwnBathymetry : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::enterRunFolder(L"own-bathymetry");
        test::copySampleData(folder_);
        DeleteFileW((folder_ + L"\\Db01\\M7000.grd").c_str());  // a cache of an earlier run's data set
        m7000_ = folder_ + L"\\自分のM7000";
        CreateDirectoryW(m7000_.c_str(), nullptr);
        WIN32_FIND_DATAW data;
        HANDLE found = FindFirstFileW((m7000_ + L"\\*").c_str(), &data);
        if (found != INVALID_HANDLE_VALUE) {
            do DeleteFileW((m7000_ + L"\\" + data.cFileName).c_str());
            while (FindNextFileW(found, &data));
            FindClose(found);
        }
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

    RecordingPlatform boxes_;
    std::wstring folder_, m7000_;
};

TEST_F(OwnBathymetry, ConvertedGridOpensAsM7000DataSetWithItsDepths) {
    const std::wstring grid = folder_ + L"\\鹿島沖.asc";
    writeGrid(grid);
    const Conversion run = convert(L"\"" + grid + L"\" \"" + m7000_ + L"\"");
    ASSERT_EQ(run.exitCode, 0u) << test::narrow(run.output);
    const std::wstring written = m7000_ + L"\\M7901_鹿島沖.txt";
    EXPECT_EQ(_wcsicmp(lastLine(run.output).c_str(), written.c_str()), 0) << test::narrow(run.output);
    ASSERT_NE(GetFileAttributesW(written.c_str()), INVALID_FILE_ATTRIBUTES) << test::narrow(run.output);

    // 準沖波地点 between the 12 m and 13 m contours, off the grid's nodes:
    // 35°53′21.5″N 140°37′57.3″E.
    const std::pair<int, const wchar_t*> fields[] = {
        {1500, L"35"}, {1501, L"53"}, {1502, L"21.5"}, {1503, L"140"}, {1504, L"37"}, {1505, L"57.3"},
    };
    const double expected = seabedDepth(140.0 + 37.0 / 60.0 + 57.3 / 3600.0);

    HWND main = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(main, nullptr);
    SetWindowPos(main, nullptr, 370, 0, 900, 640, SWP_NOZORDER);
    test::pumpMessages(300);
    std::wstring menuText, depthField;
    bool opened = false;
    int setsFound = 0;
    test::runDriver([&] {
        PostMessageW(main, WM_COMMAND, IDM_M7000_FOLDER, 0);
        HWND picker = nullptr;
        if (!waitFor([&] { return (picker = test::findOwnWindowWithItem(kPickerNameEdit)) != nullptr; }, 15000))
            return;
        Sleep(500);
        test::sendWithTimeout(GetDlgItem(picker, kPickerNameEdit), WM_SETTEXT, 0,
                              reinterpret_cast<LPARAM>(m7000_.c_str()));
        PostMessageW(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
        waitFor([] { return m7000DataSetList().m7000DataSetCount > 0; }, 20000);
        test::sendWithTimeout(main, WM_NULL);  // the folder command has returned
        setsFound = m7000DataSetList().m7000DataSetCount;
        wchar_t text[128] = {};
        GetMenuStringW(GetSubMenu(GetMenu(main), 2), 2, text, 128, MF_BYPOSITION);
        menuText = text;

        PostMessageW(main, WM_COMMAND, IDM_M7000_FIRST, 0);
        HWND dialog = nullptr;
        if (!waitFor([&] { return (dialog = test::findOwnWindow(kParamCaption)) != nullptr; }, 20000)) return;
        opened = waitFor([] { return contourStore().contourPointCount > 0; });
        for (int i = 0; i < 3; ++i) test::sendWithTimeout(main, WM_COMMAND, IDM_ZOOM_IN);  // 32 m per pixel
        for (const auto& [id, text] : fields)
            test::sendWithTimeout(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        depthField = controlText(dialog, 1506);
        Sleep(400);  // Wine shows another thread's painting a moment later
        RECT area, own;
        GetWindowRect(main, &area);
        GetWindowRect(dialog, &own);
        UnionRect(&area, &area, &own);
        EXPECT_TRUE(test::saveScreenArea(area, test::screenshotFolder() + L"\\own-bathymetry-m7000-view.bmp"));

        PostMessageW(main, WM_COMMAND, IDM_OVERVIEW, 0);
        waitFor([&] { return estimationWindows().paramDialogOpen < 0 && !IsWindow(dialog); });
    });
    const double depth = estimationParams().quasiOffshorePoint.depth;
    DestroyWindow(main);
    test::pumpMessages(100);

    for (const RecordedWarning& w : boxes_.warnings)
        ADD_FAILURE() << "[" << test::narrow(w.caption) << "] " << test::narrow(w.text);
    ASSERT_EQ(setsFound, 1) << test::narrow(dataFolders().m7000Folder);
    EXPECT_EQ(menuText, platform().fromCp932(m7000DisplayName(0)));
    EXPECT_NE(menuText.find(L"鹿島沖"), std::wstring::npos) << test::narrow(menuText);
    ASSERT_TRUE(opened) << "the data set showed no contours";
    EXPECT_NEAR(depth, expected, 0.03);
    EXPECT_EQ(depthField, depthText(depth));
}

// Started by Task Scheduler or a service (no console, no standard handles),
// vornel-contour shows no box that nobody could answer: it does its work and
// ends with its exit status.
TEST_F(OwnBathymetry, WithoutConsoleTheRunEndsWithItsStatusAndNoBox) {
    const std::wstring grid = folder_ + L"\\定期.asc";
    writeGrid(grid);
    for (const DWORD flags : {DWORD{DETACHED_PROCESS}, DWORD{CREATE_NO_WINDOW}}) {
        SCOPED_TRACE(flags == DETACHED_PROCESS ? "no console" : "a console without a window");
        DeleteFileW((m7000_ + L"\\M7901_定期.txt").c_str());
        const DetachedRun done = runWithoutConsole(L"\"" + grid + L"\" \"" + m7000_ + L"\"", flags);
        EXPECT_TRUE(done.ended);
        EXPECT_FALSE(done.showedBox);
        EXPECT_EQ(done.exitCode, 0u);
        EXPECT_NE(GetFileAttributesW((m7000_ + L"\\M7901_定期.txt").c_str()), INVALID_FILE_ATTRIBUTES);

        const DetachedRun refused = runWithoutConsole(L"\"" + folder_ + L"\\無い.asc\"", flags);
        EXPECT_TRUE(refused.ended);
        EXPECT_FALSE(refused.showedBox);
        EXPECT_EQ(refused.exitCode, 1u);
        EXPECT_EQ(runWithoutConsole(L"--zone=99", flags).exitCode, 2u);
    }
    // A grid dropped on the program in Explorer gets a console of its own,
    // and the outcome in a box.
    const DetachedRun dropped = runWithoutConsole(L"\"" + folder_ + L"\\無い.asc\"", CREATE_NEW_CONSOLE);
    EXPECT_TRUE(dropped.ended);
    EXPECT_EQ(dropped.exitCode, 1u);
    EXPECT_TRUE(dropped.showedBox);
}

// VORNEL keeps a data set's name in Shift_JIS: a long grid name is cut to
// 100 bytes of it, after a whole character (1 + 49 × 2 bytes here).
TEST_F(OwnBathymetry, ALongGridNameIsCutBetweenCharacters) {
    std::wstring name = L"a";
    for (int i = 0; i < 60; ++i) name += L"湾";
    const std::wstring grid = folder_ + L"\\" + name + L".asc";
    writeGrid(grid);
    const Conversion run = convert(L"\"" + grid + L"\" \"" + m7000_ + L"\"");
    ASSERT_EQ(run.exitCode, 0u) << test::narrow(run.output);
    const std::wstring written = m7000_ + L"\\M7901_" + name.substr(0, 50) + L".txt";
    EXPECT_EQ(_wcsicmp(lastLine(run.output).c_str(), written.c_str()), 0) << test::narrow(run.output);
    EXPECT_NE(GetFileAttributesW(written.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace vornel
