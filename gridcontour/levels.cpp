#include "levels.h"

#include <algorithm>
#include <cmath>

#include "input_error.h"
#include "messages.h"
#include "numbers.h"

namespace gridcontour {

namespace {

double toCentimetre(double depth) { return std::round(depth * 100.0) / 100.0; }

}  // namespace

std::vector<double> defaultLevels() {
    std::vector<double> levels;
    struct Band { double upTo, step; };
    double depth = 0;
    for (const Band band : {Band{20, 1}, Band{50, 5}, Band{200, 10}, Band{1000, 50}, Band{kMaxLevel, 500}}) {
        while (depth + band.step <= band.upTo) {
            depth += band.step;
            levels.push_back(depth);
        }
    }
    return levels;
}

std::vector<double> parseLevels(std::string_view list) {
    std::vector<double> levels;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::string_view text = list.substr(start, comma - start);
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        const auto value = parseNumber(text);
        if (!value) throw InputError(msg::badLevels(text));
        const double level = toCentimetre(*value);
        if (!(level > 0) || level > kMaxLevel) throw InputError(msg::badLevels(text));
        levels.push_back(level);
        start = comma + 1;
    }
    std::sort(levels.begin(), levels.end());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    if (levels.size() > kMaxLevels) throw InputError(msg::tooManyLevels(levels.size(), kMaxLevels));
    return levels;
}

}  // namespace gridcontour
