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

    bool runProgram(const std::wstring& exePath, const std::wstring& workFolder) override {
        // The exact file, quoted on its command line, so that a folder with
        // blanks (C:\Program Files\...) can never start another program.
        std::wstring commandLine = L"\"" + exePath + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            workFolder.c_str(), &startup, &process))
            return false;
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
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
    int waitDepth_ = 0;
    HCURSOR previousCursor_ = nullptr;
};

}  // namespace

Platform& systemPlatform() {
    static Win32Platform instance;
    return instance;
}

}  // namespace vornel
