// A platform for tests: the native system, with warning boxes recorded
// instead of shown. Installs itself for its lifetime.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace vornel {

struct RecordedWarning {
    WindowRef owner;
    std::wstring caption;
    std::wstring text;
};

class RecordingPlatform : public Platform {
public:
    RecordingPlatform() : base_(systemPlatform()) { previous_ = setPlatform(this); }
    ~RecordingPlatform() override { setPlatform(previous_); }

    std::vector<RecordedWarning> warnings;

    void warn(WindowRef owner, std::wstring_view caption, std::wstring_view text) override {
        warnings.push_back({owner, std::wstring(caption), std::wstring(text)});
    }
    std::string toAnsi(std::wstring_view w) override { return base_.toAnsi(w); }
    std::wstring fromAnsi(std::string_view a) override { return base_.fromAnsi(a); }
    std::vector<DirEntry> listDirectory(const std::wstring& f, const std::wstring& p) override {
        return base_.listDirectory(f, p);
    }
    bool fileExists(const std::wstring& p) override { return base_.fileExists(p); }
    bool deleteFile(const std::wstring& p) override { return base_.deleteFile(p); }
    std::FILE* openFile(const std::wstring& p, const char* m) override { return base_.openFile(p, m); }
    bool replaceFile(const std::wstring& r, const std::wstring& t) override { return base_.replaceFile(r, t); }
    bool runProgram(const std::wstring& e, const std::wstring& w) override { return base_.runProgram(e, w); }
    std::wstring currentFolder() override { return base_.currentFolder(); }
    bool setCurrentFolder(const std::wstring& f) override { return base_.setCurrentFolder(f); }

protected:
    Platform& base_;
    Platform* previous_;
};

}  // namespace vornel
