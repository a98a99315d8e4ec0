// What the search of the nearest contours finds around a point: the types that
// the contour query and its store scans share.
#pragma once

namespace vornel {

inline constexpr double kNoContourDistance = 100000.0;
inline constexpr double kNoContourDepth = 9999.0;  // anything above 9000: no contour

// Quadrants about P: 0 NE (e >= Pe, n >= Pn), 1 NW, 2 SW, 3 SE.
struct QuadrantNearest {
    double distance = kNoContourDistance;
    double east = 0.0;  // P itself while nothing was found
    double north = 0.0;
    double depth = kNoContourDepth;
    bool found() const { return distance < kNoContourDistance; }
};

struct NearestContourPoints {
    QuadrantNearest quadrant[4];
    bool diagonalsAgree = false;  // both pairs of opposite quadrants within 0.5 m
};

}  // namespace vornel
