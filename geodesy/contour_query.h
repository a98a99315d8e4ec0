// Depth, nearest contour point and direction of deeper water at a point of the
// sea, from a search of the nearest contour in each quadrant around it.
// Positions are plane metres (east, north) about the store's projection
// origin; directions are degrees counter-clockwise from east.
#pragma once

#include "mapview/canvas.h"
#include "shell/app_state.h"

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

struct ContourDirection {
    NearestContourPoints nearest;
    double primaryDirection = 0.0;  // towards deeper water
    double meanDirection = 0.0;
};

// Entry 0 the query point with its estimated depth, entry 1 the nearest
// contour point; the shape of the map pick.
using PointQuery = MapPickRecord;

NearestContourPoints nearestContourPoints(double pe, double pn);

// Looks along the line from P through Q for the nearest contour whose depth
// differs from refDepth; overwrites `step` only when it finds one.
void depthStepAlongLine(double pe, double pn, double qe, double qn, double refDepth, double& step);

// Draws the green circle at P when `canvas` is given and both halves are positive.
ContourDirection contourDirection(double pe, double pn, Canvas* canvas, int halfWidth, int halfHeight);

// Brings both directions into [0, 360] and replaces the mean by the mean of
// the two, taken the short way round.
void reduceDirections(double& primaryDirection, double& meanDirection);

// Returns 0 and writes nothing when the store is empty, else 1.
int estimatePointDepth(double pe, double pn, PointQuery& query);

// A click at client pixel (x, y) on the contour map of client size width ×
// height: marks it, fills appState().mapPick. Returns 0 on an empty store,
// 9 when a diffraction point is being placed on a contour deeper than 0.1 m,
// else 1. `canvas` may be null (nothing drawn).
int pickAtScreenPoint(Canvas* canvas, int x, int y, int width, int height, int placingDiffraction);

}  // namespace vornel
