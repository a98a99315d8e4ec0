// Depth contours traced from a grid by marching squares.
#pragma once

#include <vector>

#include "geometry.h"

namespace sampledata {

struct Polyline {
    std::vector<PlanePt> pts;  // a closed line repeats its first point at the end
    bool closed = false;
};

// The lines where the grid crosses `level`, joined across cells into
// polylines: open ones end on the grid border, closed ones go round a shoal,
// an island or a breakwater. Saddle cells are resolved by the cell's mean.
std::vector<Polyline> traceContours(const Grid& g, double level);

// Douglas–Peucker: drops points within `tolerance` metres of the simplified
// line; the ends (and for closed lines the start) stay.
void simplify(Polyline& line, double tolerance);

double length(const Polyline& line);

}  // namespace sampledata
