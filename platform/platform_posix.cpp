// The platform seam on Linux, for the native build and its tests.
//
// Paths keep the program's backslashes and are turned into POSIX paths here;
// the 8-bit code page is CP932 through iconv, so native tests see the same
// Shift_JIS bytes as the program does on a Japanese Windows.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <iconv.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/text.h"
#include "platform/wildcard.h"

extern char** environ;

namespace vornel {

namespace {

std::string posixPath(std::wstring_view path) {
    std::string p = toUtf8(path);
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}

// flock's lock ends when its descriptor closes (or the process ends).
class DescriptorLock final : public FileLock {
public:
    explicit DescriptorLock(int fd) : fd_(fd) {}
    ~DescriptorLock() override { close(fd_); }

private:
    int fd_;
};

std::string convert(const char* to, const char* from, const char* in, std::size_t inBytes, std::size_t unitOut) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
    std::string out(inBytes * 4 + 16, '\0');
    char* src = const_cast<char*>(in);
    std::size_t srcLeft = inBytes;
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) break;
        // An unconvertible or broken sequence: write '?' as the Windows
        // converters do and step over one input unit.
        const std::size_t step = std::min<std::size_t>(unitOut, srcLeft);
        src += step;
        srcLeft -= step;
        if (std::strncmp(to, "UTF-32", 6) == 0) {
            if (dstLeft < 4) break;
            const char32_t q = U'?';
            std::memcpy(dst, &q, 4);
            dst += 4;
            dstLeft -= 4;
        } else {
            if (dstLeft < 1) break;
            *dst++ = '?';
            --dstLeft;
        }
    }
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
}

class PosixPlatform final : public Platform {
public:
    void warn(WindowRef, std::wstring_view caption, std::wstring_view text) override {
        std::cerr << "[" << toUtf8(caption) << "] " << toUtf8(text) << "\n";
    }

    std::string toCp932(std::wstring_view wide) override {
        if (wide.empty()) return std::string();
        return convert("CP932", "UTF-32LE", reinterpret_cast<const char*>(wide.data()),
                       wide.size() * sizeof(wchar_t), sizeof(wchar_t));
    }

    std::wstring fromCp932(std::string_view cp932) override {
        if (cp932.empty()) return std::wstring();
        const std::string bytes = convert("UTF-32LE", "CP932", cp932.data(), cp932.size(), 1);
        std::wstring out(bytes.size() / 4, L'\0');
        std::memcpy(out.data(), bytes.data(), out.size() * 4);
        return out;
    }

    std::vector<DirEntry> listDirectory(const std::wstring& folder, const std::wstring& pattern) override {
        std::vector<DirEntry> entries;
        const std::string dir = posixPath(folder);
        DIR* d = opendir(dir.c_str());
        if (!d) return entries;
        while (dirent* e = readdir(d)) {
            if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
            DirEntry entry;
            entry.name = widen(e->d_name);
            if (!wildcardMatch(pattern, entry.name)) continue;
            struct stat st {};
            entry.isDirectory = stat((dir + "/" + e->d_name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
            entries.push_back(std::move(entry));
        }
        closedir(d);
        // NTFS lists names in order; the directory order of Linux file systems
        // is arbitrary, so sort to keep native runs repeatable.
        std::sort(entries.begin(), entries.end(),
                  [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
        return entries;
    }

    bool fileExists(const std::wstring& path) override {
        struct stat st {};
        return stat(posixPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }

    bool deleteFile(const std::wstring& path) override { return unlink(posixPath(path).c_str()) == 0; }

    std::FILE* openFile(const std::wstring& path, const char* mode) override {
        return std::fopen(posixPath(path).c_str(), mode);
    }

    bool replaceFile(const std::wstring& replacement, const std::wstring& target) override {
        return std::rename(posixPath(replacement).c_str(), posixPath(target).c_str()) == 0;
    }

    bool flushToDisk(std::FILE* file) override {
        if (std::fflush(file) != 0) return false;
        // Streams without a descriptor (test streams) have nothing below the C library.
        const int fd = fileno(file);
        if (fd < 0) return true;
        // EINVAL: a file system that keeps nothing to sync, such as a pipe's.
        return fsync(fd) == 0 || errno == EINVAL;
    }

    ProgramRunResult runProgram(const std::wstring& exePath, const std::wstring& workFolder,
                                const ProgramRunOptions& options) override {
        ProgramRunResult result;
        const std::string exe = posixPath(exePath);
        const std::string dir = posixPath(workFolder);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        // Start the child in the work folder without moving this process.
        const std::string previous = posixPath(currentFolder());
        if (chdir(dir.c_str()) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            return result;
        }
        std::vector<std::string> arguments;
        for (const std::wstring& a : options.arguments) arguments.push_back(toUtf8(a));
        std::vector<char*> argv{const_cast<char*>(exe.c_str())};
        for (std::string& a : arguments) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        const int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ);
        if (chdir(previous.c_str()) != 0) { /* the folder vanished; nothing better to do */
        }
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) return result;
        // No windows to keep painting here: poll until the end, the limit or a stop.
        const auto deadline = std::chrono::steady_clock::now() + options.timeLimit;
        int status = 0;
        for (;;) {
            const pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid || (done < 0 && errno != EINTR)) {
                result.outcome = ProgramRun::Finished;
                result.exitCode = done == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                return result;
            }
            const bool stop = options.stopRequested && options.stopRequested();
            if (stop || std::chrono::steady_clock::now() >= deadline) {
                kill(pid, SIGKILL);
                while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
                }
                result.outcome = stop ? ProgramRun::Stopped : ProgramRun::TimedOut;
                return result;
            }
            usleep(2000);
        }
    }

    std::unique_ptr<FileLock> tryLockFile(const std::wstring& path, bool& heldElsewhere) override {
        heldElsewhere = false;
        const int fd = open(posixPath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) return nullptr;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            heldElsewhere = errno == EWOULDBLOCK;
            close(fd);
            return nullptr;
        }
        return std::make_unique<DescriptorLock>(fd);
    }

    void pausePainting(std::chrono::milliseconds time) override { std::this_thread::sleep_for(time); }

    std::wstring currentFolder() override {
        char buffer[4096];
        if (!getcwd(buffer, sizeof buffer)) return std::wstring();
        return widen(buffer);
    }

    bool setCurrentFolder(const std::wstring& folder) override { return chdir(posixPath(folder).c_str()) == 0; }
};

}  // namespace

Platform& systemPlatform() {
    static PosixPlatform instance;
    return instance;
}

}  // namespace vornel
