// Writing an index file (kowan.grd, otable5.grd, otable20.grd) safely.
//
// The new contents go to "<name>.new" beside the old file, which is replaced
// only once every line and the close have succeeded. A full disk or a crash
// half-way therefore leaves the old index as it was: a cut line would
// otherwise be read back at the next start as a cached entry with a shortened
// number (an origin longitude of 13 instead of 139.75) and never recomputed.
#pragma once

#include <cstdio>
#include <string>

namespace vornel {

class IndexFileWriter {
public:
    explicit IndexFileWriter(const std::wstring& target);
    ~IndexFileWriter();
    IndexFileWriter(const IndexFileWriter&) = delete;
    IndexFileWriter& operator=(const IndexFileWriter&) = delete;

    // printf one line; the caller's format ends in "\r\n".
    void line(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // Closes the new file and puts it in place of the old one. On any failure
    // the new file is removed, the old one stays and false is returned.
    bool commit();

private:
    void discard();

    std::wstring target_;
    std::wstring temporary_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    bool done_ = false;
};

}  // namespace vornel
