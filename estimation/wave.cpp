#include "estimation/wave.h"

#include <cmath>

#include "estimation/estimation_windows.h"
#include "estimation/messages.h"
#include "estimation/params.h"
#include "estimation/solver_case.h"
#include "platform/text.h"

namespace vornel {

namespace {
// Newton's method settles in a handful of steps for every k0h in (0, 10];
// the cap only guards against a value that would never settle.
constexpr int kMaxNewtonSteps = 100;
constexpr double kNewtonTolerance = 0.0005;
}  // namespace

int computeBreakwaterAngle(double& theta) {
    const EstimationParams& p = estimationParams();
    if (!(p.shoreNormal <= 360.0) || !p.diffractionPoint.isSet() || !(p.thetaCon <= 360.0) ||
        !p.quasiOffshorePoint.isSet())
        return 0;
    const double thetaDiff = breakwaterNormal(p.shoreNormal);
    // Azimuth (clockwise from north) from the tip to the quasi-offshore point.
    const double c = reduceAngle(90.0 - std::atan2(p.quasiOffshorePoint.north - p.diffractionPoint.north,
                                                   p.quasiOffshorePoint.east - p.diffractionPoint.east) *
                                            kDegreesPerRadian);
    // The side of the breakwater normal on which the contour normal lies
    // decides whether θ is counted clockwise or counter-clockwise. It is
    // decided from θcon and θdiff as the solver reads them (one decimal):
    // within 0.1° of each other the unrounded values could choose the other
    // side, and θ would then be read from the wrong one.
    const double t = contourClockwiseOfBreakwater(p.thetaCon, thetaDiff) ? thetaDiff - c : 360.0 - thetaDiff + c;
    theta = reduceAngle(t);
    return 1;
}

double relativeDepth(double h, double T) {
    return h / (T * kGravityOverTwoPi * T);
}

void deepWaterWarning(double h, double T) {
    const double ratio = relativeDepth(h, T);
    if (ratio < 0.5)
        platform().warn(estimationWindows().mainWindow, widen(msg::kDeepWaterCaption),
                        widen(format(msg::kDeepWaterText, ratio)));
}

double waveLengthAtDepth(double T, double h, int* iterations) {
    if (iterations) *iterations = 0;
    const double deepLength = T * kGravity * T / kTwoPi;
    const double k0h = kTwoPi * h / deepLength;
    if (!std::isfinite(k0h) || k0h <= 0.0) return 0.0;
    if (k0h - 10.0 > 0.0) return kTwoPi * h / k0h;  // deep water: L0

    // Solve x·tanh(x) = k0h for x = kh.
    double x = k0h < 1.0 ? std::sqrt(k0h) : k0h;
    for (int step = 1; step <= kMaxNewtonSteps; ++step) {
        const double c = 1.0 / std::tanh(x);
        const double next = x - (x - c * k0h) / ((c * c - 1.0) * k0h + 1.0);
        if (!std::isfinite(next) || next <= 0.0) return 0.0;
        if (std::fabs(1.0 - next / x) < kNewtonTolerance) {
            if (iterations) *iterations = step;
            return kTwoPi * h / next;
        }
        x = next;
    }
    return 0.0;
}

double tipToPointDistance(const EstimationParams& p) {
    if (p.diffractionOff != 0 || !p.diffractionPoint.isSet() || !p.quasiOffshorePoint.isSet()) return std::nan("");
    return std::hypot(p.quasiOffshorePoint.north - p.diffractionPoint.north,
                      p.quasiOffshorePoint.east - p.diffractionPoint.east);
}

double waveLength(double T) {
    return waveLengthAtDepth(T, estimationParams().offshorePoint.depth, nullptr);
}

}  // namespace vornel
