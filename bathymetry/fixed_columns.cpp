#include "bathymetry/fixed_columns.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace vornel {

namespace {

// isspace of the "C" locale, which the numbers of the data files are read in.
inline bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool isSeparator(char c) {
    return c == ',' || c == '\t' || c == '\r' || c == '\n';
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// strtod on a copy in a stack buffer: the rare forms (exponents, long mantissas,
// "inf", hex) that the fast path hands over. Lines are at most 255 bytes.
double slowParseDouble(std::string_view text) {
    char buffer[260];
    const std::size_t n = text.size() < sizeof buffer - 1 ? text.size() : sizeof buffer - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return std::strtod(buffer, nullptr);
}

}  // namespace

std::string_view trimTrailing(std::string_view text) {
    while (!text.empty()) {
        const char c = text.back();
        if (c != ' ' && c != '\r' && c != '\n') break;
        text.remove_suffix(1);
    }
    return text;
}

int parseInt(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    while (i < n && isDigit(text[i])) {
        // Saturate as strtol does on Windows (32-bit long) instead of overflowing.
        if (value <= INT_MAX) value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double parseDouble(std::string_view text) {
    // Fast path for plain decimals ("  -1234.567"): a mantissa of at most 2^53
    // divided by an exact power of ten is the correctly rounded value, the same
    // double strtod gives. Everything else goes to strtod.
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    while (i < n && isDigit(text[i])) {
        mantissa = mantissa * 10 + static_cast<unsigned>(text[i] - '0');
        ++digits;
        ++i;
        if (digits > 18) return slowParseDouble(text);
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            mantissa = mantissa * 10 + static_cast<unsigned>(text[i] - '0');
            ++digits;
            ++fraction;
            ++i;
            if (digits > 18) return slowParseDouble(text);
        }
    }
    if (digits == 0) return slowParseDouble(text);  // "inf", "nan", or nothing at all
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'x' || text[i] == 'X')) return slowParseDouble(text);
    if (mantissa > (std::uint64_t{1} << 53) || fraction > 22) return slowParseDouble(text);
    const double value = static_cast<double>(mantissa) / kExactPowersOfTen[fraction];
    return negative ? -value : value;
}

bool parseContourDms(std::string_view line, std::size_t start, double& value) {
    if (line.size() < start + 15) return false;
    const std::string_view field = line.substr(start, 15);
    if (field[7] != '\'' || field[14] != '"') return false;
    const int degrees = parseInt(field.substr(1, 3));
    const int minutes = parseInt(field.substr(5, 2));
    const double seconds = parseDouble(field.substr(8, 6));
    double v = seconds / 3600.0 + (minutes / 60.0 + degrees);
    if (field[0] == 'S' || field[0] == 'W') v = -v;
    value = v;
    return true;
}

bool parseHarbourListDms(std::string_view line, std::size_t start, double& value) {
    if (line.size() < start + 14) return false;
    const std::string_view field = line.substr(start, 14);
    const int degrees = parseInt(field.substr(0, 3));
    const int minutes = parseInt(field.substr(4, 2));
    const double seconds = parseDouble(field.substr(7, 6));
    value = seconds / 3600.0 + (minutes / 60.0 + degrees);
    return true;
}

bool TokenCursor::next(std::string_view& token) {
    std::size_t i = 0;
    while (i < rest_.size() && isSeparator(rest_[i])) ++i;
    if (i == rest_.size()) {
        rest_ = {};
        return false;
    }
    std::size_t j = i;
    while (j < rest_.size() && !isSeparator(rest_[j])) ++j;
    token = rest_.substr(i, j - i);
    rest_.remove_prefix(j);
    return true;
}

}  // namespace vornel
