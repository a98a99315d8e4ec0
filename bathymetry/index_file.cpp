#include "bathymetry/index_file.h"

#include <cstdarg>

#include "platform/paths.h"
#include "platform/platform.h"

namespace vornel {

IndexFileWriter::IndexFileWriter(const std::wstring& target) : target_(target) {
    // The new file sits in the same folder, so the replacement is a rename.
    if (target_.empty() || target_.size() + 4 > kMaxPathChars) {
        failed_ = true;
        return;
    }
    temporary_ = target_ + L".new";
    file_ = platform().openFile(temporary_, "wb");
    if (!file_) failed_ = true;
}

IndexFileWriter::~IndexFileWriter() {
    if (!done_) discard();
}

void IndexFileWriter::line(const char* format, ...) {
    if (failed_) return;
    va_list args;
    va_start(args, format);
    if (std::vfprintf(file_, format, args) < 0) failed_ = true;
    va_end(args);
}

bool IndexFileWriter::commit() {
    if (done_) return false;
    done_ = true;
    if (!failed_ && !platform().flushToDisk(file_)) failed_ = true;
    if (file_) {
        if (std::fclose(file_) != 0) failed_ = true;
        file_ = nullptr;
    }
    if (!failed_ && platform().replaceFile(temporary_, target_)) return true;
    if (!temporary_.empty()) platform().deleteFile(temporary_);
    return false;
}

void IndexFileWriter::discard() {
    done_ = true;
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) platform().deleteFile(temporary_);
}

}  // namespace vornel
