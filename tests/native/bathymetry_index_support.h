// A platform whose disk is full for new index files, or whose replace fails.
#pragma once

#include "support/recording_platform.h"

namespace vornel {

class FailingIndexPlatform : public RecordingPlatform {
public:
    bool diskFull = false;
    bool replaceFails = false;
    int contourOpens = 0;  // opens of anything but index files

    std::FILE* openFile(const std::wstring& p, const char* m) override {
        const bool isNew = p.size() > 4 && p.compare(p.size() - 4, 4, L".new") == 0;
        if (isNew && diskFull) return std::fopen("/dev/full", "wb");
        if (p.find(L".grd") == std::wstring::npos) ++contourOpens;
        return RecordingPlatform::openFile(p, m);
    }
    bool replaceFile(const std::wstring& r, const std::wstring& t) override {
        return !replaceFails && RecordingPlatform::replaceFile(r, t);
    }
};

}  // namespace vornel
