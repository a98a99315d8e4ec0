#include "guide_windows.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>

#include "win32_test_support.h"

namespace guide {

DWORD programId = 0;
HANDLE programProcess = nullptr;

void say(FILE* stream, const wchar_t* format, ...) {
    wchar_t text[4096];
    va_list args;
    va_start(args, format);
    _vsnwprintf(text, 4095, format, args);
    va_end(args);
    text[4095] = 0;
    char bytes[16384];
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (n > 1) fwrite(bytes, 1, n - 1, stream);
    fflush(stream);
}

void failStep(const wchar_t* what) {
    say(stderr, L"guide_driver: %ls\n", what);
    if (programProcess) TerminateProcess(programProcess, 1);
    ExitProcess(3);
}

namespace {

struct Search {
    const wchar_t* caption;
    int itemId;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != programId || !IsWindowVisible(window)) return TRUE;
    if (search->caption) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        if (wcscmp(text, search->caption) != 0) return TRUE;
    }
    if (search->itemId && !GetDlgItem(window, search->itemId)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND find(const wchar_t* caption, int itemId) {
    Search search{caption, itemId, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitFor(const wchar_t* caption, int itemId, int ms) {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(ms);
    do {
        if (HWND window = find(caption, itemId)) return window;
        if (WaitForSingleObject(programProcess, 0) == WAIT_OBJECT_0) return nullptr;
        Sleep(50);
    } while (static_cast<LONG>(deadline - GetTickCount()) > 0);
    return nullptr;
}

}  // namespace

HWND findProgramWindow(const wchar_t* caption) {
    return find(caption, 0);
}

HWND findProgramWindowWithItem(int itemId, const wchar_t* caption) {
    return find(caption, itemId);
}

HWND waitForWindow(const wchar_t* caption, int ms) {
    return waitFor(caption, 0, ms);
}

HWND waitForWindowWithItem(int itemId, const wchar_t* caption, int ms) {
    return waitFor(caption, itemId, ms);
}

bool waitUntilGone(HWND window, int ms) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        Sleep(50);
    }
    return !IsWindow(window) || !IsWindowVisible(window);
}

std::wstring messageBoxText(const wchar_t* caption) {
    HWND box = findProgramWindow(caption);
    if (!box) return std::wstring();
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

std::wstring itemText(HWND window, int id) {
    wchar_t text[1024] = {};
    SendDlgItemMessageW(window, id, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

void setItemText(HWND window, int id, const wchar_t* text) {
    SendDlgItemMessageW(window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool waitForItemText(HWND window, int id, const wchar_t* prefix, int ms) {
    const std::wstring start = prefix;
    for (int waited = 0; waited <= ms; waited += 50) {
        if (itemText(window, id).compare(0, start.size(), start) == 0) return true;
        if (WaitForSingleObject(programProcess, 0) == WAIT_OBJECT_0) return false;
        Sleep(50);
    }
    return false;
}

void clickItem(HWND window, int id) {
    PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
    Sleep(400);
}

void saveScreens(const std::wstring& folder, const wchar_t* name, std::initializer_list<HWND> windows) {
    if (folder == L"-") return;
    Sleep(700);  // let the program finish painting
    RECT area{};
    bool first = true;
    for (HWND window : windows) {
        if (!window) continue;
        RECT r;
        GetWindowRect(window, &r);
        if (first)
            area = r;
        else
            UnionRect(&area, &area, &r);
        first = false;
    }
    area.left = area.left < 0 ? 0 : area.left;
    area.top = area.top < 0 ? 0 : area.top;
    const std::wstring path = folder + L"\\" + name + L".bmp";
    if (!vornel::test::saveScreenArea(area, path)) failStep(L"cannot write a screenshot");
    say(stdout, L"guide_driver: screenshot %ls\n", path.c_str());
}

void chooseFileInDialog(const wchar_t* caption, const std::wstring& path) {
    // The Explorer-style dialogs name the file in combo box 1148 (an edit
    // inside it takes WM_SETTEXT through the combo box).
    HWND dialog = waitForWindowWithItem(1148, caption, 15000);
    if (!dialog) failStep(L"the file dialog did not show");
    Sleep(500);
    setItemText(dialog, 1148, path.c_str());
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    if (!waitUntilGone(dialog, 15000)) failStep(L"the file dialog stayed open");
}

std::vector<std::wstring> readShiftJisLines(const std::wstring& path) {
    std::vector<std::wstring> lines;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return lines;
    std::string bytes;
    char buffer[8192];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    fclose(file);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::wstring wide(line.size() + 1, L'\0');
        const int got = MultiByteToWideChar(932, 0, line.data(), static_cast<int>(line.size()), wide.data(),
                                            static_cast<int>(wide.size()));
        wide.resize(got > 0 ? got : 0);
        lines.push_back(wide);
        start = end + 1;
    }
    return lines;
}

}  // namespace guide
