// The origins of Japan's 19 plane rectangular coordinate systems (I–XIX), in
// degrees. x and y have no false origin: both are metres from this point.
#pragma once

namespace vornel {

struct PlaneRectZoneOrigin {
    double lat, lon;
};

inline constexpr int kPlaneRectZoneCount = 19;

// Zone `number` (1–19); the caller checks the range.
inline constexpr PlaneRectZoneOrigin planeRectZoneOrigin(int number) {
    constexpr double m = 1.0 / 60.0;
    constexpr PlaneRectZoneOrigin origins[kPlaneRectZoneCount] = {
        {33, 129 + 30 * m}, {33, 131},          {36, 132 + 10 * m}, {33, 133 + 30 * m}, {36, 134 + 20 * m},
        {36, 136},          {36, 137 + 10 * m}, {36, 138 + 30 * m}, {36, 139 + 50 * m}, {40, 140 + 50 * m},
        {44, 140 + 15 * m}, {44, 142 + 15 * m}, {44, 144 + 15 * m}, {26, 142},          {26, 127 + 30 * m},
        {26, 124},          {26, 131},          {20, 136},          {26, 154},
    };
    return origins[number - 1];
}

}  // namespace vornel
