// The two store scans of the contour query with their bounding shortcuts
// switchable, so that tests can hold the shortcuts to the full scan.
#pragma once

#include "geodesy/contour_nearest.h"

namespace vornel::detail {

NearestContourPoints scanNearest(double pe, double pn, bool useBounds);
void scanDepthStep(double pe, double pn, double qe, double qn, double refDepth, double& step, bool useBounds);

}  // namespace vornel::detail
