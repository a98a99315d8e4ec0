// The case's points as the map marks them: the estimation's record handed to
// the drawing as plain data.
#pragma once

#include "estimation/params.h"
#include "mapview/point_markers.h"

namespace vornel {

// Each point with whether it is set; an angle that is not set (the sentinel)
// becomes no direction.
MarkedPoints markedPoints(const EstimationParams& params);

}  // namespace vornel
