// Line-by-line reading of the program's 8-bit text files.
//
// Reads like the C library's fgets with a 256-byte buffer on a file opened in
// text mode on Windows: a line is handed out in pieces of at most 255 bytes
// (so 254 characters fit before the line end), CR LF becomes LF, and the LF is
// part of the line. The file is read in large chunks, so a line costs no
// system call and no allocation.
#pragma once

#include <cstdio>
#include <string_view>

namespace vornel {

class LineReader {
public:
    static constexpr std::size_t kLineBuffer = 256;

    explicit LineReader(std::FILE* file) : file_(file) {}

    // The next line (with its '\n' when it had one); false at the end of the file.
    // The view stays valid until the next call.
    bool next(std::string_view& line);

private:
    bool fill();
    int peekByte();

    std::FILE* file_;
    char chunk_[1 << 16];
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    char line_[kLineBuffer];
};

}  // namespace vornel
