// A platform that hands every call to another one: the base of platforms that
// change one or two calls (tests record warnings, fuzzing drops them).
#pragma once

#include "platform/platform.h"

namespace vornel {

class ForwardingPlatform : public Platform {
public:
    explicit ForwardingPlatform(Platform& base) : base_(base) {}

    void warn(WindowRef owner, std::wstring_view caption, std::wstring_view text) override {
        base_.warn(owner, caption, text);
    }
    std::string toCp932(std::wstring_view w) override { return base_.toCp932(w); }
    std::wstring fromCp932(std::string_view a) override { return base_.fromCp932(a); }
    std::vector<DirEntry> listDirectory(const std::wstring& f, const std::wstring& p) override {
        return base_.listDirectory(f, p);
    }
    bool fileExists(const std::wstring& p) override { return base_.fileExists(p); }
    bool deleteFile(const std::wstring& p) override { return base_.deleteFile(p); }
    std::FILE* openFile(const std::wstring& p, const char* m) override { return base_.openFile(p, m); }
    bool replaceFile(const std::wstring& r, const std::wstring& t) override { return base_.replaceFile(r, t); }
    bool flushToDisk(std::FILE* f) override { return base_.flushToDisk(f); }
    ProgramRunResult runProgram(const std::wstring& e, const std::wstring& w, const ProgramRunOptions& o) override {
        return base_.runProgram(e, w, o);
    }
    std::unique_ptr<FileLock> tryLockFile(const std::wstring& p, bool& held) override {
        return base_.tryLockFile(p, held);
    }
    void pausePainting(std::chrono::milliseconds t) override { base_.pausePainting(t); }
    std::wstring fileVersion(const std::wstring& p) override { return base_.fileVersion(p); }
    std::wstring currentFolder() override { return base_.currentFolder(); }
    bool setCurrentFolder(const std::wstring& f) override { return base_.setCurrentFolder(f); }
    void beginWait() override { base_.beginWait(); }
    void endWait() override { base_.endWait(); }

protected:
    Platform& base_;
};

}  // namespace vornel
