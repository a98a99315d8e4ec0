// A platform for tests: the native system, with warning boxes recorded
// instead of shown and the options of every program run recorded. Installs
// itself for its lifetime.
#pragma once

#include <string>
#include <vector>

#include "platform/forwarding_platform.h"

namespace vornel {

struct RecordedWarning {
    WindowRef owner;
    std::wstring caption;
    std::wstring text;
};

class RecordingPlatform : public ForwardingPlatform {
public:
    RecordingPlatform() : ForwardingPlatform(systemPlatform()) { previous_ = setPlatform(this); }
    ~RecordingPlatform() override { setPlatform(previous_); }

    std::vector<RecordedWarning> warnings;

    std::vector<ProgramRunOptions> runs;

    void warn(WindowRef owner, std::wstring_view caption, std::wstring_view text) override {
        warnings.push_back({owner, std::wstring(caption), std::wstring(text)});
    }
    ProgramRunResult runProgram(const std::wstring& exe, const std::wstring& folder,
                                const ProgramRunOptions& options) override {
        runs.push_back(options);
        return base_.runProgram(exe, folder, options);
    }

protected:
    Platform* previous_;
};

}  // namespace vornel
