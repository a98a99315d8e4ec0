// Drives a real VORNEL.exe from outside, under Wine, through one estimation on
// the sample data, as a user would: choose 鹿島, zoom in, click and set the
// four points, type the wave, pick a spreading relation, 計算開始, and read
// the result dialog. Saves screenshots of each step for the guide. Given a
// folder holding one M7000 data set made by vornel-contour.exe, it then
// chooses that folder as the M7000 folder, opens the data set and sets the
// quasi-offshore point on it (the guide's own-data screenshot).
//
//   release_guide_driver.exe <program folder> <screenshot folder or "-"> [<own M7000 folder>]
//
// Prints the result rows. Exit codes: 0 done; 1 usage; 2 the program did not
// start or show its window; 3 a step failed (the message says which); 4 the
// program did not end after WM_CLOSE.
//
// Everything goes through messages that work across processes (WM_COMMAND,
// mouse messages, BM_CLICK, WM_SETTEXT, CB_SETCURSEL); commands that open a
// modal window are posted.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "win32_test_support.h"

namespace {

// Formatted output as UTF-8 bytes: the C runtime's wide output stops at the
// first character outside its locale.
void say(FILE* stream, const wchar_t* format, ...) {
    wchar_t text[2048];
    va_list args;
    va_start(args, format);
    _vsnwprintf(text, 2047, format, args);
    va_end(args);
    text[2047] = 0;
    char bytes[8192];
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (n > 1) fwrite(bytes, 1, n - 1, stream);
    fflush(stream);
}

DWORD programId = 0;
HANDLE programProcess = nullptr;

[[noreturn]] void failStep(const wchar_t* what) {
    say(stderr, L"guide_driver: %ls\n", what);
    if (programProcess) TerminateProcess(programProcess, 1);
    ExitProcess(3);
}

struct Search {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != programId || !IsWindowVisible(window)) return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (wcscmp(text, search->caption) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND findProgramWindow(const wchar_t* caption) {
    Search search{caption, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A window of the program holding a control `itemId`: the system's folder
// picker, whose caption follows the system's language.
HWND findProgramWindowWithItem(int itemId) {
    struct ItemSearch {
        int id;
        HWND found;
    } search{itemId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<ItemSearch*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != programId || !IsWindowVisible(window) || !GetDlgItem(window, s->id)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(const wchar_t* caption, int ms) {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(ms);
    do {
        if (HWND window = findProgramWindow(caption)) return window;
        if (WaitForSingleObject(programProcess, 0) == WAIT_OBJECT_0) return nullptr;
        Sleep(100);
    } while (static_cast<LONG>(deadline - GetTickCount()) > 0);
    return nullptr;
}

// The text of a message box of the program (its static text), when one shows.
std::wstring messageBoxText(const wchar_t* caption) {
    HWND box = findProgramWindow(caption);
    if (!box) return std::wstring();
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

std::wstring itemText(HWND window, int id) {
    wchar_t text[256] = {};
    SendDlgItemMessageW(window, id, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

void setItemText(HWND window, int id, const wchar_t* text) {
    SendDlgItemMessageW(window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Posted: a click may open a message box (the deep-water warning), and a sent
// click would wait for it to close.
void clickItem(HWND window, int id) {
    PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
    Sleep(400);
}

// Closes the deep-water warning when it shows, and says so.
void dismissDeepWaterWarning() {
    if (HWND box = findProgramWindow(L"沖波地点の設定")) {
        say(stdout, L"guide_driver: deep-water warning: %ls\n", messageBoxText(L"沖波地点の設定").c_str());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        Sleep(300);
    }
}

// Saves the screen area covering the given windows as a 24-bit BMP.
void saveScreens(const std::wstring& folder, const wchar_t* name, std::initializer_list<HWND> windows) {
    if (folder == L"-") return;
    Sleep(700);  // let the program finish painting
    RECT area{};
    bool first = true;
    for (HWND window : windows) {
        if (!window) continue;
        RECT r;
        GetWindowRect(window, &r);
        if (first) area = r; else UnionRect(&area, &area, &r);
        first = false;
    }
    area.left = area.left < 0 ? 0 : area.left;
    area.top = area.top < 0 ? 0 : area.top;
    const std::wstring path = folder + L"\\" + name + L".bmp";
    if (!vornel::test::saveScreenArea(area, path)) failStep(L"cannot write a screenshot");
    say(stdout, L"guide_driver: screenshot %ls\n", path.c_str());
}

// The menu command of the harbour named `sjisName` in Db01\kowan.lst: 300 + its
// place in the list (line 1 holds the count, each record starts with the name).
int harbourCommand(const std::wstring& folder, const char* sjisName) {
    FILE* file = _wfopen((folder + L"\\Db01\\kowan.lst").c_str(), L"rb");
    if (!file) failStep(L"no Db01\\kowan.lst in the program folder");
    char line[512];
    int index = -2;
    int found = -1;
    while (fgets(line, sizeof line, file)) {
        ++index;
        if (index >= 0 && std::strncmp(line, sjisName, std::strlen(sjisName)) == 0) {
            found = index;
            break;
        }
    }
    fclose(file);
    if (found < 0) failStep(L"the harbour is not in kowan.lst");
    return 300 + found;
}

// Clicks the map at client point (x, y), chooses point kind k in the side
// panel and presses 設定; checks that the read-outs show a depth.
void setPoint(HWND main, int k, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(main, WM_LBUTTONUP, 0, at);
    const std::wstring depth = itemText(main, 12);
    say(stdout, L"guide_driver: point %d at (%d, %d): %ls  %ls  %ls\n", k, x, y, itemText(main, 10).c_str(),
            itemText(main, 11).c_str(), depth.c_str());
    if (depth.find(L'm') == std::wstring::npos) failStep(L"the click gave no depth read-out");
    clickItem(main, 50 + k);
    clickItem(main, 30);
    dismissDeepWaterWarning();
}

// "M7000データ一覧から検索" → "M7000データフォルダーの設定": the folder picker
// takes `own` (its only data set), then the data set from the menu (the first
// one, command 1200): the M7000 view and the parameter dialog. Returns the
// dialog.
HWND openOwnDataSet(HWND main, const std::wstring& own) {
    // 地図から検索 first: the overview's paint closes the parameter dialog,
    // which a contour view would open again.
    PostMessageW(main, WM_COMMAND, 130, 0);
    for (int i = 0; i < 100 && findProgramWindow(L"VORNELパラメータ"); ++i) Sleep(100);
    PostMessageW(main, WM_COMMAND, 1600, 0);
    HWND picker = nullptr;
    for (int i = 0; i < 150 && !(picker = findProgramWindowWithItem(1152)); ++i) Sleep(100);
    if (!picker) failStep(L"the M7000 folder command opened no folder picker");
    Sleep(500);
    setItemText(picker, 1152, own.c_str());
    PostMessageW(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 150 && IsWindow(picker) && IsWindowVisible(picker); ++i) Sleep(100);
    if (IsWindow(picker) && IsWindowVisible(picker)) failStep(L"the folder picker stayed open");
    Sleep(500);
    PostMessageW(main, WM_COMMAND, 1200, 0);
    HWND params = waitForWindow(L"VORNELパラメータ", 20000);
    if (!params) failStep(L"the own M7000 data set opened no parameter dialog");
    Sleep(500);
    return params;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 && argc != 4) {
        say(stderr, L"usage: release_guide_driver <program folder> <screenshot folder or -> [<own M7000 folder>]\n");
        return 1;
    }
    const std::wstring folder = argv[1];
    const std::wstring shots = argv[2];
    if (shots != L"-") CreateDirectoryW(shots.c_str(), nullptr);

    const std::wstring program = folder + L"\\VORNEL.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        say(stderr, L"guide_driver: cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
        return 2;
    }
    CloseHandle(process.hThread);
    programId = process.dwProcessId;
    programProcess = process.hProcess;

    HWND main = waitForWindow(L"VORNELシステム", 60000);
    if (!main) {
        say(stderr, L"guide_driver: no window VORNELシステム\n");
        TerminateProcess(programProcess, 1);
        return 2;
    }
    say(stdout, L"guide_driver: window VORNELシステム found\n");
    // Room on the left for the parameter dialog, which opens beside the map.
    const int mainLeft = 290, mainWidth = 1000, mainHeight = 760;
    MoveWindow(main, mainLeft, 0, mainWidth, mainHeight, TRUE);
    Sleep(1500);
    saveScreens(shots, L"guide-1-overview", {main});

    // 鹿島 from the harbour menu: the contour view and the parameter dialog.
    PostMessageW(main, WM_COMMAND, harbourCommand(folder, "\x8e\xad\x93\x87"), 0);
    HWND params = waitForWindow(L"VORNELパラメータ", 20000);
    if (!params) failStep(L"choosing the harbour opened no parameter dialog");
    for (int i = 0; i < 3; ++i) SendMessageW(main, WM_COMMAND, 120, 0);  // 拡大: 256 -> 32 m per pixel
    RECT client;
    GetClientRect(main, &client);
    const int cx = client.right / 2, cy = client.bottom / 2;
    Sleep(500);
    saveScreens(shots, L"guide-2-contour-view", {params, main});

    // The wave at the quasi-offshore point, the relation and the title, typed
    // before the points: a period typed after a shallow offshore point would
    // show the deep-water warning inside the sent WM_SETTEXT.
    setItemText(params, 1508, L"2.5");
    setItemText(params, 1509, L"10");
    setItemText(params, 1510, L"80");
    SendDlgItemMessageW(params, 1601, CB_SETCURSEL, 1, 0);
    setItemText(params, 1539, L"鹿島試験");
    // The four points, placed relative to the centre of the harbour data (the
    // coast runs from north-west to south-east, the sea is to the north-east).
    setPoint(main, 0, cx - 39, cy + 72);    // 準沖波地点: off the harbour mouth
    setPoint(main, 1, cx + 1, cy - 98);     // 等深線の代表点: between the contours offshore
    setPoint(main, 2, cx - 44, cy + 42);    // 回折地点: the breakwater tip
    setPoint(main, 3, cx + 146, cy + 32);   // 沖波地点: offshore, between 50 m and 100 m
    saveScreens(shots, L"guide-3-points", {params, main});

    say(stdout, L"guide_driver: θcon %ls, θdiff %ls, θ %ls, h/L0 %ls\n", itemText(params, 1519).c_str(),
            itemText(params, 1528).c_str(), itemText(params, 1507).c_str(), itemText(params, 1511).c_str());

    // 計算開始: the program runs the solver and opens the result dialog.
    PostMessageW(params, WM_COMMAND, IDOK, 0);
    HWND result = waitForWindow(L"簡易逆推定結果", 60000);
    if (!result) {
        const std::wstring text = messageBoxText(L"簡易逆推定の実行");
        say(stderr, L"guide_driver: no result dialog%ls%ls\n", text.empty() ? L"" : L"; message: ",
                 text.c_str());
        failStep(L"the estimation failed");
    }
    // The relation chosen in the parameter dialog is selected; choose it again
    // through the list as a user would, which computes the estimated Smax.
    SendDlgItemMessageW(result, 1602, CB_SETCURSEL, 1, 0);
    SendMessageW(result, WM_COMMAND, MAKEWPARAM(1602, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(result, 1602)));
    int rows = 0;
    for (int r = 0; r < 12; ++r) {
        const std::wstring smax = itemText(result, 1500 + 3 * r);
        if (smax.find_first_of(L"0123456789") == std::wstring::npos) break;
        ++rows;
        say(stdout, L"guide_driver: row %2d  Smax %ls  Ho %ls  θo %ls  推定式Smax %ls\n", r + 1, smax.c_str(),
                itemText(result, 1501 + 3 * r).c_str(), itemText(result, 1502 + 3 * r).c_str(),
                itemText(result, 1544 + r).c_str());
    }
    if (rows == 0) failStep(L"the result dialog shows no candidate");
    // The result dialog opens over the map: show it beside the parameter dialog.
    RECT pr, rr;
    GetWindowRect(params, &pr);
    GetWindowRect(result, &rr);
    MoveWindow(result, pr.right + 10, 40, rr.right - rr.left, rr.bottom - rr.top, TRUE);
    saveScreens(shots, L"guide-4-result", {params, main, result});

    // Close everything as a user would: 閉じる, Esc in the parameter dialog, the close box.
    PostMessageW(result, WM_COMMAND, 2, 0);
    Sleep(500);
    PostMessageW(params, WM_COMMAND, 2, 0);
    Sleep(500);

    // The engineer's own data: the converted grid in the M7000 view, with the
    // quasi-offshore point set in the middle of it.
    if (argc == 4) {
        params = openOwnDataSet(main, argv[3]);
        setPoint(main, 0, cx, cy);
        saveScreens(shots, L"guide-5-own-data", {params, main});
        say(stdout, L"guide_driver: own data set shown, quasi-offshore point %ls m deep\n",
            itemText(params, 1506).c_str());
        PostMessageW(params, WM_COMMAND, 2, 0);
        Sleep(500);
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(programProcess, 15000) != WAIT_OBJECT_0) {
        say(stderr, L"guide_driver: the program did not end after WM_CLOSE\n");
        TerminateProcess(programProcess, 1);
        return 4;
    }
    say(stdout, L"guide_driver: estimation done, %d candidate rows shown, program closed\n", rows);
    return 0;
}
