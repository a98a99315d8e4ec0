#include "platform/line_reader.h"

namespace vornel {

bool LineReader::fill() {
    if (eof_ || !file_) return false;
    end_ = std::fread(chunk_, 1, sizeof chunk_, file_);
    pos_ = 0;
    if (end_ == 0) eof_ = true;
    return end_ > 0;
}

int LineReader::peekByte() {
    if (pos_ >= end_ && !fill()) return -1;
    return static_cast<unsigned char>(chunk_[pos_]);
}

bool LineReader::next(std::string_view& line) {
    std::size_t n = 0;
    while (n < kLineBuffer - 1) {
        int c = peekByte();
        if (c < 0) break;
        ++pos_;
        if (c == '\r') {
            // Text mode: CR LF reads as LF; a lone CR stays.
            if (peekByte() == '\n') {
                ++pos_;
                c = '\n';
            }
        }
        line_[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    line_[n] = '\0';
    line = std::string_view(line_, n);
    return n > 0;
}

}  // namespace vornel
