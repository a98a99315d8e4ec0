// The depths at which contours are drawn, in metres, positive downwards,
// ascending, to the centimetre (the data set's depth column has two decimals).
#pragma once

#include <string_view>
#include <vector>

namespace gridcontour {

// VORNEL keeps at most this many depth levels in one data set.
inline constexpr std::size_t kMaxLevels = 10'000;
// The depth column holds "%7.2f": below 10,000 m.
inline constexpr double kMaxLevel = 9999.99;

// Every 1 m to 20 m, 5 m to 50 m, 10 m to 200 m, 50 m to 1,000 m, 500 m beyond.
// Levels outside a grid's depth range simply carry no contour.
std::vector<double> defaultLevels();

// "L1,L2,...": positive depths below 10,000 m, rounded to the centimetre,
// sorted, each once. Throws InputError for anything else.
std::vector<double> parseLevels(std::string_view list);

}  // namespace gridcontour
