// The fixed columns of an M7000 text data set, one contour point per line:
// what the loader reads and the grid converter writes. Offsets count
// characters from 0 at the start of the line.
#pragma once

#include <cstddef>

namespace vornel::m7000text {

inline constexpr std::size_t kDepthOffset = 10, kDepthWidth = 7;     // metres, "%7.2f"
inline constexpr std::size_t kLatOffset = 17, kLatWidth = 9;         // degrees, "%9.6f"
inline constexpr std::size_t kLonOffset = 26, kLonWidth = 10;        // degrees, "%10.6f"
inline constexpr std::size_t kLineIdOffset = 50, kLineIdWidth = 8;   // the contour line's number
inline constexpr std::size_t kLineLength = kLineIdOffset + kLineIdWidth;

}  // namespace vornel::m7000text
