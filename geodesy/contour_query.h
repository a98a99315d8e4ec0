// Depth, nearest contour point and direction of deeper water at a point of the
// sea, from a search of the nearest contour in each quadrant around it.
// Positions are plane metres (east, north) about the store's projection
// origin; directions are degrees counter-clockwise from east.
#pragma once

#include "geodesy/contour_nearest.h"

namespace vornel {

struct ContourDirection {
    NearestContourPoints nearest;
    double primaryDirection = 0.0;  // towards deeper water
    double meanDirection = 0.0;
};

// One end of a depth query: a position with its depth, in degrees and plane
// metres.
struct PickEntry {
    double lat = 99.9;
    double lon = 999.9;
    double depth = 9999.9;
    double north = 0.0;
    double east = 0.0;
};

// A depth query at a point: entry 0 the point with its estimated depth, entry
// 1 the nearest contour point; directions in degrees counter-clockwise from
// east, towards deeper water. The map pick keeps the last one.
struct PointQuery {
    PickEntry entry[2];
    double primaryDirection = 0.0;
    double meanDirection = 0.0;
};

NearestContourPoints nearestContourPoints(double pe, double pn);

// Looks along the line from P through Q for the nearest contour whose depth
// differs from refDepth; overwrites `step` only when it finds one.
void depthStepAlongLine(double pe, double pn, double qe, double qn, double refDepth, double& step);

ContourDirection contourDirection(double pe, double pn);

// Brings both directions into [0, 360] and replaces the mean by the mean of
// the two, taken the short way round.
void reduceDirections(double& primaryDirection, double& meanDirection);

// Returns 0 and writes nothing when the store is empty, else 1.
int estimatePointDepth(double pe, double pn, PointQuery& query);

}  // namespace vornel
