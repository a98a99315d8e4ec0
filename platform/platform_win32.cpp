// The platform seam on Windows.
#include <io.h>
#include <windows.h>

#include <cwchar>

#include "platform/platform.h"

namespace vornel {

namespace {

constexpr UINT kDataCodePage = 932;

class Win32Platform final : public Platform {
public:
    void warn(WindowRef owner, std::wstring_view caption, std::wstring_view text) override {
        const std::wstring c(caption), t(text);
        MessageBoxW(static_cast<HWND>(owner), t.c_str(), c.c_str(), MB_ICONEXCLAMATION | MB_OK);
    }

    // Code page 932 on every system: the system code page (1252 on an English
    // Windows, 65001 with the UTF-8 beta option) would read the data files'
    // Shift_JIS names as other characters.
    std::string toCp932(std::wstring_view wide) override {
        if (wide.empty()) return std::string();
        const int n = WideCharToMultiByte(kDataCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                          nullptr, nullptr);
        std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
        if (n > 0)
            WideCharToMultiByte(kDataCodePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                                nullptr);
        return out;
    }

    std::wstring fromCp932(std::string_view bytes) override {
        if (bytes.empty()) return std::wstring();
        const int n = MultiByteToWideChar(kDataCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
        if (n > 0) MultiByteToWideChar(kDataCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
        return out;
    }

    std::vector<DirEntry> listDirectory(const std::wstring& folder, const std::wstring& pattern) override {
        std::vector<DirEntry> entries;
        const std::wstring query = folder + L"\\" + pattern;
        WIN32_FIND_DATAW data;
        HANDLE h = FindFirstFileW(query.c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) return entries;
        do {
            if (std::wcscmp(data.cFileName, L".") == 0 || std::wcscmp(data.cFileName, L"..") == 0) continue;
            entries.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        } while (FindNextFileW(h, &data));
        FindClose(h);
        return entries;
    }

    bool fileExists(const std::wstring& path) override {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool deleteFile(const std::wstring& path) override { return DeleteFileW(path.c_str()) != 0; }

    std::FILE* openFile(const std::wstring& path, const char* mode) override {
        wchar_t wideMode[8] = {};
        for (int i = 0; i < 7 && mode[i]; ++i) wideMode[i] = static_cast<wchar_t>(mode[i]);
        return _wfopen(path.c_str(), wideMode);
    }

    bool replaceFile(const std::wstring& replacement, const std::wstring& target) override {
        return MoveFileExW(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
               0;
    }

    bool flushToDisk(std::FILE* file) override {
        if (std::fflush(file) != 0) return false;
        const intptr_t handle = _get_osfhandle(_fileno(file));
        if (handle == -1) return false;
        return FlushFileBuffers(reinterpret_cast<HANDLE>(handle)) != 0;
    }

    ProgramRun runProgram(const std::wstring& exePath, const std::wstring& workFolder,
                          const ProgramRunOptions& options) override {
        // The exact file, quoted on its command line, so that a folder with
        // blanks (C:\Program Files\...) can never start another program.
        std::wstring commandLine = L"\"" + exePath + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        const DWORD flags = options.withoutConsoleWindow ? CREATE_NO_WINDOW : 0;
        if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                            workFolder.c_str(), &startup, &process))
            return ProgramRun::NotStarted;
        CloseHandle(process.hThread);
        const bool finished = waitPainting(process.hProcess, options.timeLimit);
        if (!finished) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);  // its files are closed before anyone reads them
        }
        CloseHandle(process.hProcess);
        return finished ? ProgramRun::Finished : ProgramRun::TimedOut;
    }

    std::wstring currentFolder() override {
        wchar_t buffer[MAX_PATH + 1] = {};
        const DWORD n = GetCurrentDirectoryW(MAX_PATH + 1, buffer);
        if (n == 0 || n > MAX_PATH) return std::wstring();
        return std::wstring(buffer, n);
    }

    bool setCurrentFolder(const std::wstring& folder) override { return SetCurrentDirectoryW(folder.c_str()) != 0; }

    void beginWait() override {
        if (waitDepth_++ == 0) previousCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
    void endWait() override {
        if (waitDepth_ > 0 && --waitDepth_ == 0) SetCursor(previousCursor_);
    }

private:
    // Waits for `process` until `limit`, painting the windows meanwhile and
    // dropping the user's input, which a run in progress cannot take. Messages
    // posted by the program itself wait in the queue until the run is over.
    bool waitPainting(HANDLE process, std::chrono::milliseconds limit) {
        const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(limit.count());
        for (;;) {
            const ULONGLONG now = GetTickCount64();
            if (now >= end) return false;
            const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, static_cast<DWORD>(end - now),
                                                         QS_INPUT | QS_PAINT | QS_SENDMESSAGE);
            if (woke == WAIT_OBJECT_0) return true;
            if (woke == WAIT_FAILED) return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
            }
            while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&msg);
            if (waitDepth_ > 0) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        }
    }

    int waitDepth_ = 0;
    HCURSOR previousCursor_ = nullptr;
};

}  // namespace

Platform& systemPlatform() {
    static Win32Platform instance;
    return instance;
}

}  // namespace vornel
