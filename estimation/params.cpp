#include "estimation/params.h"

#include <cmath>

namespace vornel {

namespace {
EstimationParams params;

// Beyond this the stepwise reduction would take too long (and never ends for
// infinity); fmod gives the same remainder there.
constexpr double kStepwiseLimit = 360.0 * 1024.0;
}  // namespace

EstimationPoint& EstimationParams::point(int kind) {
    switch (kind) {
        case POINT_CONTOUR:
            return contourPoint;
        case POINT_DIFFRACTION:
            return diffractionPoint;
        case POINT_OFFSHORE:
            return offshorePoint;
        default:
            return quasiOffshorePoint;
    }
}

EstimationParams& estimationParams() {
    return params;
}

void resetEstimationParams() {
    params = EstimationParams{};
}

bool isNearSentinel(double value, double sentinel) {
    return std::fabs(value - sentinel) < 0.01;
}

double reduceAngle(double degrees) {
    if (!std::isfinite(degrees)) return degrees;
    if (std::fabs(degrees) > kStepwiseLimit) degrees = std::fmod(degrees, 360.0);
    while (degrees < 0.0) degrees += 360.0;
    while (degrees >= 360.0) degrees -= 360.0;
    return degrees;
}

double angleDifference(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d <= -180.0) d += 360.0;
    if (d > 180.0) d -= 360.0;
    return d;
}

double reduceAngleBelow360(double degrees) {
    if (!std::isfinite(degrees)) return degrees;
    if (degrees > kStepwiseLimit) degrees = std::fmod(degrees, 360.0);
    while (degrees >= 360.0) degrees -= 360.0;
    return degrees;
}

double breakwaterNormal(double shoreNormal) {
    return reduceAngleBelow360(shoreNormal + 180.0);
}

}  // namespace vornel
