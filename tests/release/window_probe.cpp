// Release test helper, run under Wine: starts a program in a given working
// folder, waits for its top-level window with a given title, closes it and
// waits for the program to end.
//
//   window_probe.exe <program> <working folder> <window title> <seconds>
//
// Exit codes: 0 window found and program ended after WM_CLOSE; 1 bad usage;
// 2 program did not start; 3 no such window in time; 4 program did not end
// after WM_CLOSE (it is then terminated).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD processId;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (wcscmp(text, search->title) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        fwprintf(stderr, L"usage: window_probe <program> <working folder> <window title> <seconds>\n");
        return 1;
    }
    const std::wstring program = argv[1];
    const wchar_t* folder = argv[2];
    const int seconds = _wtoi(argv[4]);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                        &process)) {
        fwprintf(stderr, L"window_probe: cannot start the program (error %lu)\n", GetLastError());
        return 2;
    }
    CloseHandle(process.hThread);

    Search search{process.dwProcessId, argv[3], nullptr};
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (!search.found && static_cast<LONG>(deadline - GetTickCount()) > 0) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(200);
    }
    if (!search.found) {
        fwprintf(stderr, L"window_probe: no visible window with that title\n");
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        return 3;
    }
    RECT rect{};
    GetWindowRect(search.found, &rect);
    wprintf(L"window_probe: window found, %ld x %ld\n", rect.right - rect.left, rect.bottom - rect.top);
    fflush(stdout);

    // Let it finish its start-up (index files) before asking it to close.
    Sleep(1000);
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) {
        fwprintf(stderr, L"window_probe: the program did not end after WM_CLOSE\n");
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        return 4;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    wprintf(L"window_probe: program ended with exit code %lu\n", code);
    CloseHandle(process.hProcess);
    return 0;
}
