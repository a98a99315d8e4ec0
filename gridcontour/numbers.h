// Numbers in grid files and on the command line: a whole token, nothing else
// (no trailing characters, no "nan", no "inf"); a leading '+' is allowed.
#pragma once

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace gridcontour {

inline std::optional<double> parseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace gridcontour
