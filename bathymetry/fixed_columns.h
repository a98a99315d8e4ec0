// Reading fields out of the lines of the 8-bit data files.
//
// The data files are read line by line (LineReader) and their fields sit at
// fixed character columns or between separators. Numbers keep the C library's
// atoi/atof semantics (leading blanks skipped, parse stops at the first
// character that does not belong to the number, no digits gives 0) but are
// parsed straight from the line's bytes: a contour file of millions of points
// must not cost a heap allocation per field.
#pragma once

#include <string_view>

namespace vornel {

// The bytes of `line` at columns start … start+width-1; a field that runs past
// the end of the line holds what the line has there (possibly nothing).
inline std::string_view column(std::string_view line, std::size_t start, std::size_t width) {
    // An empty view that still points into the line (memcpy of nothing from null is undefined).
    if (start >= line.size()) return line.substr(line.size());
    return line.substr(start, width);
}

// `text` without its trailing spaces, CRs and LFs (tabs stay).
std::string_view trimTrailing(std::string_view text);

// atoi / atof of `text` as if it were NUL-terminated at its end.
int parseInt(std::string_view text);
double parseDouble(std::string_view text);

inline int columnInt(std::string_view line, std::size_t start, std::size_t width) {
    return parseInt(column(line, start, width));
}
inline double columnDouble(std::string_view line, std::size_t start, std::size_t width) {
    return parseDouble(column(line, start, width));
}

// The degrees-minutes-seconds field of the contour file headers: 15 characters
// at `start`, hemisphere letter, degrees, minutes, an apostrophe at 7, seconds
// and a double quote at 14. Sets `value` and returns true only when the whole
// field is on the line and well formed; otherwise `value` is left alone.
bool parseContourDms(std::string_view line, std::size_t start, double& value);

// The angle field of kowan.lst: 14 characters at `start`, degrees at 0–2,
// minutes at 4–5, seconds at 7–12, always positive. Used only when all 14
// characters are on the line (its line end counts, as the line buffer holds it).
bool parseHarbourListDms(std::string_view line, std::size_t start, double& value);

// Splits index-file lines into tokens at runs of comma, tab, CR and LF; empty
// tokens do not exist.
class TokenCursor {
public:
    explicit TokenCursor(std::string_view line) : rest_(line) {}
    // The next token; false when the line has no more.
    bool next(std::string_view& token);

private:
    std::string_view rest_;
};

}  // namespace vornel
