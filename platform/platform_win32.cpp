// The platform seam on Windows.
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/platform.h"
#include "platform/wildcard.h"

namespace vornel {

namespace {

constexpr UINT kDataCodePage = 932;

// A lock held by an open file handle that no one else may share.
class HandleLock final : public FileLock {
public:
    explicit HandleLock(HANDLE h) : handle_(h) {}
    ~HandleLock() override { CloseHandle(handle_); }

private:
    HANDLE handle_;
};

// While a warning box is up, every other window of the thread is disabled
// too, not only its owner: the parameter dialog has no owner, so a box of the
// dialog would leave the map live, and a box shown while the map's paint
// loads contours would let the user choose other data and reload the store
// underneath that load. Nothing re-enters through the user while it shows.
class OtherWindowsDisabled {
public:
    explicit OtherWindowsDisabled(HWND owner) : owner_(owner) {
        EnumThreadWindows(GetCurrentThreadId(), &OtherWindowsDisabled::disable, reinterpret_cast<LPARAM>(this));
    }
    ~OtherWindowsDisabled() {
        for (HWND window : disabled_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK disable(HWND window, LPARAM self) {
        auto* me = reinterpret_cast<OtherWindowsDisabled*>(self);
        // The owner is the box's own to disable and enable again.
        if (window != me->owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            me->disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND owner_;
    std::vector<HWND> disabled_;
};

class Win32Platform final : public Platform {
public:
    void warn(WindowRef owner, std::wstring_view caption, std::wstring_view text) override {
        const std::wstring c(caption), t(text);
        // A box without an owner belongs to the window the user works in.
        HWND ownerWindow = owner ? static_cast<HWND>(owner) : GetActiveWindow();
        if (ownerWindow && !IsWindow(ownerWindow)) ownerWindow = nullptr;
        OtherWindowsDisabled others(ownerWindow);
        MessageBoxW(ownerWindow, t.c_str(), c.c_str(), MB_ICONEXCLAMATION | MB_OK | (ownerWindow ? 0 : MB_TASKMODAL));
    }

    // Code page 932 on every system: the system code page (1252 on an English
    // Windows, 65001 with the UTF-8 beta option) would read the data files'
    // Shift_JIS names as other characters. Without best-fit look-alikes: the
    // system would write ¥ as a backslash (another folder in a path) and ë
    // as e; a character Shift_JIS lacks becomes '?' instead, as documented.
    std::string toCp932(std::wstring_view wide) override {
        if (wide.empty()) return std::string();
        const int n = WideCharToMultiByte(kDataCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                          static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
        if (n > 0)
            WideCharToMultiByte(kDataCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                out.data(), n, nullptr, nullptr);
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
            // The system also matches short names: "*.con" finds "x.conf" as X~1.CON.
            if (!wildcardMatch(pattern, data.cFileName)) continue;
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

    ProgramRunResult runProgram(const std::wstring& exePath, const std::wstring& workFolder,
                                const ProgramRunOptions& options) override {
        ProgramRunResult result;
        // The exact file, quoted on its command line, so that a folder with
        // blanks (C:\Program Files\...) can never start another program.
        std::wstring commandLine = L"\"" + exePath + L"\"";
        for (const std::wstring& argument : options.arguments) commandLine += L" " + argument;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        // Started suspended, so that it is inside the job before it can run.
        const DWORD flags = (options.withoutConsoleWindow ? CREATE_NO_WINDOW : 0) | CREATE_SUSPENDED;
        if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                            workFolder.c_str(), &startup, &process))
            return result;
        if (HANDLE job = solverJob()) AssignProcessToJobObject(job, process.hProcess);
        ResumeThread(process.hThread);
        CloseHandle(process.hThread);
        const Waited waited = waitPainting(process.hProcess, options);
        if (waited != Waited::Ended) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);  // its files are closed before anyone reads them
            result.outcome = waited == Waited::Stopped ? ProgramRun::Stopped : ProgramRun::TimedOut;
        } else {
            DWORD code = 0;
            result.outcome = ProgramRun::Finished;
            result.exitCode = GetExitCodeProcess(process.hProcess, &code) ? static_cast<int>(code) : -1;
        }
        CloseHandle(process.hProcess);
        return result;
    }

    std::unique_ptr<FileLock> tryLockFile(const std::wstring& path, bool& heldElsewhere) override {
        // No sharing at all: a second opener, in this or another VORNEL,
        // fails with a sharing violation until this handle closes.
        HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        heldElsewhere = h == INVALID_HANDLE_VALUE &&
                        (GetLastError() == ERROR_SHARING_VIOLATION || GetLastError() == ERROR_ACCESS_DENIED);
        if (h == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<HandleLock>(h);
    }

    void pausePainting(std::chrono::milliseconds time) override {
        ProgramRunOptions options;
        options.timeLimit = time;
        waitPainting(nullptr, options);
    }

    std::wstring fileVersion(const std::wstring& path) override {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        if (size == 0) return std::wstring();
        std::vector<unsigned char> data(size);
        if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return std::wstring();
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
            length < sizeof *info)
            return std::wstring();
        wchar_t text[64];
        std::swprintf(text, 64, L"%u.%u.%u.%u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                      HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
        return text;
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
    enum class Waited { Ended, TimedOut, Stopped };

    // The job every program run goes into: closing its last handle (when
    // VORNEL ends, however it ends) ends the programs in it, so a solver
    // never runs on, writing into the folder, after the VORNEL that started it.
    static HANDLE solverJob() {
        static HANDLE job = [] {
            HANDLE created = CreateJobObjectW(nullptr, nullptr);
            if (created) {
                JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
                limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
                SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
            }
            return created;
        }();
        return job;
    }

    // Whether `msg` is input for `window` or one of its children.
    static bool isFor(const MSG& msg, HWND window) {
        return window && msg.hwnd && (msg.hwnd == window || IsChild(window, msg.hwnd));
    }

    // Waits for `process` (or only for the time, without one) until the
    // limit, painting the windows meanwhile and dropping the user's input,
    // which a run in progress cannot take — touch and pen included, as the
    // Windows 10 target counts them in QS_INPUT. Only `inputWindow`'s input is
    // served. Messages posted by the program itself wait in the queue until
    // the run is over.
    Waited waitPainting(HANDLE process, const ProgramRunOptions& options) {
        const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(options.timeLimit.count());
        const HWND inputWindow = static_cast<HWND>(options.inputWindow);
        for (;;) {
            if (options.stopRequested && options.stopRequested()) return Waited::Stopped;
            const ULONGLONG now = GetTickCount64();
            if (now >= end) return process ? Waited::TimedOut : Waited::Ended;
            // Wake at least every 100 ms to ask whether to stop.
            const DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(end - now, options.stopRequested ? 100 : end - now));
            const DWORD woke = MsgWaitForMultipleObjects(process ? 1 : 0, process ? &process : nullptr, FALSE, wait,
                                                         QS_INPUT | QS_PAINT | QS_SENDMESSAGE);
            if (process && woke == WAIT_OBJECT_0) return Waited::Ended;
            if (woke == WAIT_FAILED) {
                if (!process) return Waited::Ended;
                if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return Waited::Ended;
                Sleep(10);
                continue;
            }
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
                if (!isFor(msg, inputWindow)) continue;
                if (!IsDialogMessageW(inputWindow, &msg)) {
                    TranslateMessage(&msg);
                    DispatchMessageW(&msg);
                }
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
