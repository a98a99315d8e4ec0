#include "shell/map_marks.h"

#include <limits>

namespace vornel {

namespace {

MarkedPoint marked(const EstimationPoint& point) {
    return {point.isSet(), point.east, point.north};
}

// A point set by typed coordinates may have no direction yet: drawing the
// sentinel as an angle would show a direction that was never found.
double direction(double angle) {
    return isNearSentinel(angle, NOT_SET_ANGLE) ? std::numeric_limits<double>::quiet_NaN() : angle;
}

}  // namespace

MarkedPoints markedPoints(const EstimationParams& params) {
    MarkedPoints points;
    points.quasiOffshore = marked(params.quasiOffshorePoint);
    points.contour = marked(params.contourPoint);
    points.diffraction = marked(params.diffractionPoint);
    points.offshore = marked(params.offshorePoint);
    points.shoreNormal = direction(params.shoreNormal);
    points.thetaCon = direction(params.thetaCon);
    return points;
}

}  // namespace vornel
