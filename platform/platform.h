// The seam between the portable logic and the operating system.
//
// Everything the logic needs from the platform goes through one object:
// warning boxes, conversion between wide text and the 8-bit text of the data
// files (code page 932), directory enumeration, file access and running the solver. VORNEL.exe
// installs the Win32 implementation at start; native tests install the POSIX
// one, usually with the message box replaced by a recorder so that no test can
// block on a modal box.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornel {

// An opaque window handle (HWND on Windows). Portable code only passes it on.
using WindowRef = void*;

struct DirEntry {
    std::wstring name;  // file or folder name, without the folder
    bool isDirectory = false;
};

struct ProgramRunOptions {
    bool withoutConsoleWindow = true;  // a console program flashes no black window
    std::chrono::milliseconds timeLimit{60'000};
    // Given after the program's own quoted path ("--batch"); none by default.
    std::vector<std::wstring> arguments;
    // A window whose input is served while the program runs (a progress
    // window's 中止); every other window's input is dropped as before.
    WindowRef inputWindow = nullptr;
    // Asked while the program runs; true ends it (ProgramRun::Stopped).
    std::function<bool()> stopRequested;
};

enum class ProgramRun { Finished, NotStarted, TimedOut, Stopped };

struct ProgramRunResult {
    ProgramRun outcome = ProgramRun::NotStarted;
    int exitCode = -1;  // the program's exit status when it finished
};

// An exclusive lock on a file, held until the object goes away.
class FileLock {
public:
    virtual ~FileLock() = default;
};

class Platform {
public:
    virtual ~Platform() = default;

    // The warning box of the whole program: exclamation icon, one OK button,
    // modal to `owner`. Blocks until dismissed.
    virtual void warn(WindowRef owner, std::wstring_view caption, std::wstring_view text) = 0;

    // The data files, the solver's files and the CSV report are Shift_JIS
    // (code page 932) by definition, whatever the system's own code page is:
    // stored files, the solver and Excel rely on it. Characters that have no
    // CP932 form become '?' as the system converter makes them; text that
    // becomes a file name goes through exactCp932 instead.
    virtual std::string toCp932(std::wstring_view wide) = 0;
    virtual std::wstring fromCp932(std::string_view bytes) = 0;

    // Entries of `folder` whose names match `pattern` ("*", "*.con", "????_?")
    // with the platform's own wildcard rules, in the platform's own order.
    // "." and ".." are never listed. A missing folder lists nothing.
    virtual std::vector<DirEntry> listDirectory(const std::wstring& folder, const std::wstring& pattern) = 0;

    virtual bool fileExists(const std::wstring& path) = 0;
    virtual bool deleteFile(const std::wstring& path) = 0;

    // fopen on a wide path. Callers use binary modes and write CR LF themselves,
    // so that the bytes on disk are the same on every platform.
    virtual std::FILE* openFile(const std::wstring& path, const char* mode) = 0;

    // Replaces `target` by `replacement` in one step (the replacement file is
    // complete and closed). Returns false and leaves `target` alone on failure.
    virtual bool replaceFile(const std::wstring& replacement, const std::wstring& target) = 0;

    // Pushes what was written to `file` through the C library and the system
    // caches onto the disk. Called before a finished file replaces an old one:
    // a rename can reach the disk before the data does, and a power cut then
    // leaves an empty or short file where the complete old one stood.
    // Returns false when the data could not be written.
    virtual bool flushToDisk(std::FILE* file) = 0;

    // Runs exactly the program file `exePath` (no shell; only the options'
    // arguments) with `workFolder` as its current folder and waits until it
    // ends, or ends it when `options.timeLimit` has passed or when
    // `options.stopRequested` says so. While it runs the windows keep painting
    // (Windows must not take the program for hung) but take no user input
    // beyond `options.inputWindow`'s: no second run, no click on the map. The
    // program also ends with VORNEL: it never outlives the process that ran it.
    virtual ProgramRunResult runProgram(const std::wstring& exePath, const std::wstring& workFolder,
                                        const ProgramRunOptions& options) = 0;

    // Takes an exclusive lock on `path` (created when missing) for as long as
    // the returned object lives. nullptr with `heldElsewhere` true while
    // another holder has it; nullptr with it false when the file cannot be
    // made at all (a missing or read-only folder).
    virtual std::unique_ptr<FileLock> tryLockFile(const std::wstring& path, bool& heldElsewhere) = 0;

    // Waits `time`, the windows painting meanwhile and the user's input
    // dropped: a pause between attempts, never a busy loop.
    virtual void pausePainting(std::chrono::milliseconds time) = 0;

    // The file version of a program from its version resource ("1.0.0.0"),
    // empty when it has none.
    virtual std::wstring fileVersion(const std::wstring& path) {
        (void)path;
        return std::wstring();
    }

    // The process's current folder, and changing it.
    virtual std::wstring currentFolder() = 0;
    virtual bool setCurrentFolder(const std::wstring& folder) = 0;

    // Shows the wait cursor while a long step runs on the user-interface thread.
    virtual void beginWait() {}
    virtual void endWait() {}
};

// The one platform object of the process.
Platform& platform();
// Installs `p` as the platform object and returns the previous one.
// The caller keeps ownership.
Platform* setPlatform(Platform* p);

// The CP932 form of `wide` only when it reads back as the same text: for
// names that go into 8-bit records and files, where a '?' or a look-alike
// letter (¥ for \, e for ë) would name another file. Empty when it does not.
std::optional<std::string> exactCp932(std::wstring_view wide);

// The native implementation (the POSIX one in native builds, the Win32 one in
// Windows builds): what the program uses when nothing else was installed.
Platform& systemPlatform();

// Shows the wait cursor for the life of the object.
class WaitCursor {
public:
    WaitCursor() { platform().beginWait(); }
    ~WaitCursor() { platform().endWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Closes a FILE* on every path out of a scope.
class ScopedFile {
public:
    explicit ScopedFile(std::FILE* f = nullptr) : file_(f) {}
    ~ScopedFile() { close(); }
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    std::FILE* get() const { return file_; }
    explicit operator bool() const { return file_ != nullptr; }
    // Closes now; returns false when the close reported an error (lost data).
    bool close() {
        if (!file_) return true;
        const bool ok = std::fclose(file_) == 0;
        file_ = nullptr;
        return ok;
    }

private:
    std::FILE* file_;
};

}  // namespace vornel
