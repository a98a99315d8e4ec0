// Numbers in grid files and on the command line: a whole token, nothing else
// (no trailing characters, no "inf"); a leading '+' is allowed.
#pragma once

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace gridcontour {

// A finite number; "nan" and "inf" are not numbers here.
inline std::optional<double> parseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A grid value: a finite number, or NaN for no data, as float grids from
// Python, netCDF and rasterio are written ("nan", "NaN", "-nan", and the
// "1.#QNAN" / "-1.#IND" of older Windows programs). Infinities are refused.
inline std::optional<double> parseValue(std::string_view text) {
    if (const auto number = parseNumber(text)) return number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    const auto is = [text](std::string_view word) {
        if (text.size() != word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            char c = text[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != word[i]) return false;
        }
        return true;
    };
    if (is("nan") || is("1.#qnan") || is("1.#ind")) return std::numeric_limits<double>::quiet_NaN();
    return std::nullopt;
}

}  // namespace gridcontour
