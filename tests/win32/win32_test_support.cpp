#include "win32_test_support.h"

#include <tlhelp32.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "resources/resource.h"

namespace vornel::test {

std::wstring buildFolder() {
    if (const wchar_t* dir = _wgetenv(L"VORNEL_BUILD_DIR_WIN")) return dir;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::wstring screenshotFolder() {
    const std::wstring folder = buildFolder() + L"\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool saveScreenArea(const RECT& area, const std::wstring& path) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = ((width * 3 + 3) / 4) * 4;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return false;
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    fwrite(&fileHeader, sizeof fileHeader, 1, file);
    fwrite(&header, sizeof header, 1, file);
    fwrite(pixels.data(), 1, pixels.size(), file);
    return fclose(file) == 0;
}

std::wstring saveWindowImage(HWND window, const std::wstring& name) {
    // Copy what the screen shows (Wine's PrintWindow leaves child controls and
    // menus out). The window is brought to the top first.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    // Wine hands a window's painting to the display from the window's own
    // thread, a little later: a window of another thread is read after a pause.
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) Sleep(400);
    RECT rect;
    GetWindowRect(window, &rect);
    const std::wstring path = screenshotFolder() + L"\\" + name + L".bmp";
    return saveScreenArea(rect, path) ? path : std::wstring();
}

void pressChord(WORD modifier, WORD key) {
    INPUT keys[4] = {};
    const WORD codes[4] = {modifier, key, key, modifier};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
}

void pumpMessages(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

namespace {

// The first visible top-level window of this process that `match` accepts.
HWND findOwnWindowWhere(const std::function<bool(HWND)>& match) {
    struct Search {
        const std::function<bool(HWND)>* match;
        HWND found;
    } search{&match, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid != GetCurrentProcessId() || !IsWindowVisible(hwnd) || !(*s->match)(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND findOwnWindow(const std::wstring& caption, HWND except) {
    return findOwnWindowWhere([&](HWND hwnd) {
        if (hwnd == except) return false;
        wchar_t text[256] = {};
        InternalGetWindowText(hwnd, text, 256);  // never sends a message: the owner may be blocked
        return caption == text;
    });
}

HWND findOwnWindowWithItem(int itemId) {
    return findOwnWindowWhere([&](HWND hwnd) { return GetDlgItem(hwnd, itemId) != nullptr; });
}

bool whileWindowShows(const std::wstring& caption, const std::function<void()>& action,
                      const std::function<void(HWND)>& onFound, int timeoutMs) {
    std::atomic<bool> found{false};
    std::thread watcher([&] {
        const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
        while (static_cast<LONG>(end - GetTickCount()) > 0) {
            if (HWND hwnd = findOwnWindow(caption)) {
                Sleep(300);  // let it paint
                found = true;
                onFound(hwnd);
                return;
            }
            Sleep(50);
        }
    });
    action();
    watcher.join();
    return found;
}

LRESULT sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* answered) {
    DWORD_PTR result = 0;
    const bool ok = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result) != 0;
    if (answered) *answered = ok;
    return static_cast<LRESULT>(result);
}

std::wstring controlText(HWND window, int id) {
    HWND item = GetDlgItem(window, id);
    if (!item) return L"<missing>";
    wchar_t text[256] = {};
    sendWithTimeout(item, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (!condition()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
        Sleep(50);
    }
    return true;
}

bool processRuns(const std::wstring& exeName) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
        found = _wcsicmp(entry.szExeFile, exeName.c_str()) == 0;
    CloseHandle(snapshot);
    return found;
}

void runDriver(const std::function<void()>& drive) {
    std::atomic<bool> done{false};
    const DWORD uiThread = GetCurrentThreadId();
    std::thread driver([&] {
        drive();
        done = true;
        PostThreadMessageW(uiThread, WM_NULL, 0, 0);
    });
    HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_VORNEL));
    while (!done) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    driver.join();
}

std::wstring enterRunFolder(const std::wstring& name) {
    const std::wstring folder = buildFolder() + L"\\run-" + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    SetCurrentDirectoryW(folder.c_str());
    return folder;
}

}  // namespace vornel::test

namespace vornel::test {

std::wstring sourceFolder() {
    const wchar_t* unixPath = _wgetenv(L"VORNEL_SOURCE_DIR");
    if (!unixPath) return std::wstring();
    std::wstring path = L"Z:";
    for (const wchar_t* p = unixPath; *p; ++p) path.push_back(*p == L'/' ? L'\\' : *p);
    return path;
}

static void copyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((from + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copyTree(from + L"\\" + name, to + L"\\" + name);
        else
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
    } while (FindNextFileW(h, &data));
    FindClose(h);
}

void copySampleData(const std::wstring& folder) {
    copyTree(sourceFolder() + L"\\sample", folder);
}

}  // namespace vornel::test

#include "platform/text.h"

namespace vornel::test {
std::string narrow(const std::wstring& text) {
    return toUtf8(text);
}

std::string readFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
}  // namespace vornel::test
