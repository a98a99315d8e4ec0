#include "case_input.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zelvo {

namespace {

// Accepted ranges. Zero or negative depths and periods have no wave; beyond these bounds the
// numbers are not a sea state (and very small periods would underflow the spectrum).
struct Range {
    double lo;
    bool loInclusive;
    double hi;
    const char* unit;
};
constexpr Range kDepthRange{0.0, false, 11000.0, "m"};
constexpr Range kPeriodRange{0.0, false, 1000.0, "s"};
constexpr Range kHeightRange{0.0, true, 1000.0, "m"};
constexpr double kSmallestPeriod = 0.01;  // s
constexpr double kSmallestDepth = 0.001;  // m

std::string fmt(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

bool checkRange(const char* tag, double v, const Range& r, double smallest, std::string& why) {
    const bool aboveLo = r.loInclusive ? v >= r.lo : v > r.lo;
    if (!aboveLo) {
        why = std::string(tag) + " must be " + (r.loInclusive ? "0 or more" : "greater than 0") + ", got " + fmt(v);
        return false;
    }
    if (v < smallest || v > r.hi) {
        why = std::string(tag) + " is out of range (" + fmt(smallest) + " to " + fmt(r.hi) + " " + r.unit + "), got " +
              fmt(v);
        return false;
    }
    return true;
}

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool isTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

}  // namespace

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool parseNumber(std::string_view text, double& out) {
    std::string copy(text);
    const char* begin = copy.c_str();
    char* end = nullptr;
    out = std::strtod(begin, &end);
    if (end == begin) return false;
    for (const char* p = end; *p; ++p)
        if (*p != ' ' && *p != '\t') return false;
    return std::isfinite(out);
}

Observation CaseInput::observation() const {
    Observation o;
    o.site.contourNormal = values[CONTOUR_NORMAL];
    o.site.pointDepth = values[POINT_DEPTH];
    o.site.diffraction = diffraction();
    o.site.breakwaterNormal = values[BREAKWATER_NORMAL];
    o.site.pointAngle = values[POINT_ANGLE];
    o.site.tipDepth = values[TIP_DEPTH];
    o.height = values[HEIGHT];
    o.period = values[PERIOD];
    o.direction = values[DIRECTION];
    return o;
}

bool checkTitle(std::string_view title, std::string& why) {
    if (title.size() > kMaxTitleBytes) {
        why = "the title is longer than 100 bytes";
        return false;
    }
    for (std::size_t i = 0; i < title.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(title[i]);
        if (isLeadByte(c)) {
            if (i + 1 >= title.size() || !isTrailByte(static_cast<unsigned char>(title[i + 1]))) {
                why = "the title is not valid Shift_JIS text";
                return false;
            }
            ++i;  // the trail byte may be 0x5C or 0x7C: part of the character, not a separator
            continue;
        }
        if (c < 0x20 || c == 0x7F) {
            why = "the title contains a control character";
            return false;
        }
        if (c == 0x80 || c == 0xA0 || c >= 0xFD) {
            why = "the title is not valid Shift_JIS text";
            return false;
        }
        if (c < 0x80 && std::strchr("\\/:*?\"<>|", c) != nullptr) {
            why = std::string("the title contains the character ") + static_cast<char>(c) +
                  ", which a file name cannot hold";
            return false;
        }
        if (c == '.' && i + 1 < title.size() && title[i + 1] == '.') {
            why = "the title contains \"..\"";
            return false;
        }
    }
    return true;
}

bool parseCaseHeader(const std::vector<std::string_view>& lines, int fields, const char* fileName, CaseInput& out,
                     std::string& why) {
    if (lines.empty()) {
        why = std::string(fileName) + " is empty";
        return false;
    }
    out.title = std::string(lines[0]);
    for (int f = 0; f < fields; ++f) {
        const int lineNumber = f + 2;
        const std::string tag = std::string(kInputTags[f]) + "|";
        if (static_cast<int>(lines.size()) < lineNumber) {
            why = std::string(fileName) + " ends before line " + std::to_string(lineNumber) + " (" + tag + ")";
            return false;
        }
        const std::string_view line = lines[lineNumber - 1];
        if (line.substr(0, tag.size()) != tag) {
            why = std::string(fileName) + " line " + std::to_string(lineNumber) + " does not begin with " + tag;
            return false;
        }
        if (!parseNumber(line.substr(tag.size()), out.values[f])) {
            why = std::string(fileName) + " line " + std::to_string(lineNumber) + ": \"" +
                  std::string(line.substr(tag.size())) + "\" is not a number";
            return false;
        }
    }
    const char* const* tags = kInputTags;
    if (!checkRange(tags[POINT_DEPTH], out.values[POINT_DEPTH], kDepthRange, kSmallestDepth, why)) return false;
    if (out.diffraction() && !checkRange(tags[TIP_DEPTH], out.values[TIP_DEPTH], kDepthRange, kSmallestDepth, why))
        return false;
    return true;
}

bool checkWave(double height, double period, const char* heightName, const char* periodName, std::string& why) {
    return checkRange(heightName, height, kHeightRange, 0.0, why) &&
           checkRange(periodName, period, kPeriodRange, kSmallestPeriod, why);
}

bool parseCaseInput(std::string_view bytes, CaseInput& out, std::string& why) {
    return parseCaseHeader(splitLines(bytes), kInputFieldCount, kInputFileName, out, why) &&
           checkWave(out.values[HEIGHT], out.values[PERIOD], kInputTags[HEIGHT], kInputTags[PERIOD], why);
}

}  // namespace zelvo
