// Depth between contours of equal depth: a parabola of depth over position,
// fitted along the parallel or the meridian through the point.
#pragma once

namespace vornel {

// Least-squares parabola d = a·t² + b·t + c through exactly four points.
// Returns false, leaving a, b, c untouched, when the positions take fewer
// than three distinct values (the normal equations are singular).
bool fitQuadratic(const double t[4], const double d[4], double& a, double& b, double& c);

// Refines `depth` (in: the depth of the nearest contour point) at the plane
// point (pe, pn) from the two nearest contour crossings on each side along the
// parallel and the meridian. Leaves it unchanged on a flat, replaces it by the
// fitted depth, or sets kNoDepthEstimate when no fit could be made.
inline constexpr double kNoDepthEstimate = -9999.9;
void depthByAxisFit(double pe, double pn, double& depth);

}  // namespace vornel
