#include "value_checks.h"

#include <cmath>
#include <functional>

#include "messages.h"

namespace gridcontour {

namespace {

// Keeps the most extreme value in the direction `beyond` (how often it came)
// and the next one before it.
template <class Beyond>
void takeExtreme(ExtremeValue& e, double v, Beyond beyond) {
    if (e.count == 0) {
        e = {v, 1, 0, false};
    } else if (beyond(v, e.value)) {
        e.next = e.value;
        e.hasNext = true;
        e.value = v;
        e.count = 1;
    } else if (v == e.value) {
        ++e.count;
    } else if (!e.hasNext || beyond(v, e.next)) {
        e.next = v;
        e.hasNext = true;
    }
}

}  // namespace

void ValueSurvey::add(const std::vector<double>& row) {
    for (const double v : row) {
        if (std::isnan(v)) {
            ++noData_;
            continue;
        }
        if (v == 0) ++zero_;
        else if ((v > 0) == depths_) ++sea_;
        else ++land_;
        takeExtreme(low_, v, std::less<double>());
        takeExtreme(high_, v, std::greater<double>());
    }
}

std::optional<std::string> ValueSurvey::noDataLeftIn() const {
    if (low_.count == 0) return std::nullopt;
    const auto impossible = [this](double v) {
        const double depth = depths_ ? v : -v;
        return depth > kDeepestSea || -depth > kHighestLand;
    };
    // Every valid node holds one value: a grid of nothing but a sentinel.
    if (!low_.hasNext) {
        if (impossible(low_.value) || std::fabs(low_.value) >= kSentinelGap)
            return msg::onlyOneValue(low_.value, low_.count);
        return std::nullopt;
    }
    for (const ExtremeValue* side : {&low_, &high_}) {
        const bool isLow = side == &low_;
        // The rest of the grid, without this value.
        const double othersLow = isLow ? low_.next : low_.value;
        const double othersHigh = isLow ? high_.value : high_.next;
        if (impossible(side->value)) return msg::impossibleValue(side->value, side->count, depths_);
        const double gap = std::fabs(side->value - side->next);
        // Many nodes on one value far beyond the rest (the land or the edges
        // filled with -9999), or a lone spike beyond the whole range of the
        // rest. A seabed's values run on without such a gap: on a coarse grid
        // down a trench wall the deepest step is still a small part of the range.
        const double others = othersHigh - othersLow;
        if (gap >= kSentinelGap && (side->count >= 2 ? gap >= others / 2 : gap > others))
            return msg::outlyingValue(side->value, side->count, othersLow, othersHigh);
    }
    return std::nullopt;
}

std::optional<std::string> ValueSurvey::signLooksWrong() const {
    if (land_ <= sea_) return std::nullopt;
    return msg::mostlyLand(depths_, valid(), land_);
}

}  // namespace gridcontour
