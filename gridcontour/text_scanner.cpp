#include "text_scanner.h"

#include <algorithm>
#include <cstring>

#include "input_error.h"
#include "messages.h"

namespace gridcontour {

namespace {

// No token or line of a grid file comes near this; a longer one means the
// file is not text (or not a grid) and is refused rather than buffered whole.
constexpr std::size_t kMaxLine = 1 << 20;
constexpr std::size_t kChunk = 1 << 20;
// The buffer starts small and doubles while a token or line fills it, up to
// kChunk + kMaxLine: a small grid file costs no 2 MB buffer (cleared memory
// that every short run, and every fuzzer input, would pay for).
constexpr std::size_t kFirstBuffer = 1 << 16;
constexpr std::size_t kMaxBuffer = kChunk + kMaxLine;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

TextScanner::TextScanner(std::FILE* file) : file_(file), buffer_(kFirstBuffer) {}

bool TextScanner::refill() {
    if (eof_) return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) {
        if (buffer_.size() == kMaxBuffer) throw InputError(msg::lineTooLong(), currentLine_);
        buffer_.resize(std::min(2 * buffer_.size(), kMaxBuffer));
    }
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    if (got == 0) {
        eof_ = true;
        return false;
    }
    end_ += got;
    return true;
}

bool TextScanner::nextToken(std::string_view& token) {
    for (;;) {
        while (begin_ < end_ && isSpace(buffer_[begin_])) {
            if (buffer_[begin_] == '\n') ++currentLine_;
            ++begin_;
        }
        if (begin_ < end_) break;
        if (!refill()) return false;
    }
    std::size_t stop = begin_;
    for (;;) {
        while (stop < end_ && !isSpace(buffer_[stop])) ++stop;
        if (stop < end_ || eof_) break;
        // refill() moves the unread bytes to the front even when it then
        // finds the end of the file: the stop moves with them either way.
        const std::size_t offset = stop - begin_;
        const bool more = refill();
        stop = begin_ + offset;
        if (!more) break;
    }
    token = std::string_view(buffer_.data() + begin_, stop - begin_);
    tokenLine_ = currentLine_;
    begin_ = stop;
    return true;
}

bool TextScanner::nextLine(std::string_view& line) {
    if (begin_ == end_ && !refill()) return false;
    std::size_t stop = begin_;
    for (;;) {
        while (stop < end_ && buffer_[stop] != '\n') ++stop;
        if (stop < end_ || eof_) break;
        const std::size_t offset = stop - begin_;
        const bool more = refill();
        stop = begin_ + offset;
        if (!more) break;
    }
    std::size_t lineEnd = stop;
    if (lineEnd > begin_ && buffer_[lineEnd - 1] == '\r') --lineEnd;
    line = std::string_view(buffer_.data() + begin_, lineEnd - begin_);
    tokenLine_ = currentLine_;
    begin_ = stop < end_ ? stop + 1 : stop;
    if (stop < end_) ++currentLine_;
    return true;
}

}  // namespace gridcontour
