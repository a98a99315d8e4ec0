// The contour file format shared by harbour (.con) and chart files.
#pragma once

#include <string>
#include <vector>

#include "contours.h"
#include "geometry.h"

namespace sampledata {

struct ContourRecord {
    double depth = 0;
    std::vector<PlanePt> pts;
};

// Traces every level over the grid, simplifies with `tolerance` (m) and drops
// loops shorter than `minLoop` (m): specks of a grid node, not features.
std::vector<ContourRecord> traceLevels(const Grid& g, const std::vector<double>& levels, double tolerance,
                                       double minLoop);

// The file: a header per record (depth %10.2f, point count %5d; the first
// also carries the origin as DMS fields at columns 49 and 65), four points of
// %10.2f easting and %10.2f northing per line, and the end record (1000.00
// with 5 points) that goes round `frame`, so that an extent computed from the
// whole file is the surveyed area.
std::string formatContourFile(const std::vector<ContourRecord>& records, double originLat, double originLon,
                              const Grid& frame);

std::size_t pointCount(const std::vector<ContourRecord>& records);

}  // namespace sampledata
