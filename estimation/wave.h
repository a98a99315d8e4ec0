// The small numeric routines of the estimation: the direction of the
// quasi-offshore point seen from the breakwater tip, the relative depth with
// its deep-water test, and the wavelength by the linear dispersion relation.
#pragma once

#include "estimation/params.h"

namespace vornel {

// Gravity and the constants derived from it, used exactly as written.
inline constexpr double kGravity = 9.80665;
inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kGravityOverTwoPi = 1.5607768226721355;  // L0 = this * T^2
inline constexpr double kDegreesPerRadian = 57.29577951308232;

// θ from the breakwater tip (diffraction point) to the quasi-offshore point,
// relative to θdiff. Returns 1 with `theta` in [0, 360) when the diffraction
// point, the quasi-offshore point, shoreNormal and thetaCon are all set; 0
// (theta untouched) otherwise. Reads estimationParams() only.
int computeBreakwaterAngle(double& theta);

// h / L0 with L0 the deep-water wavelength of period T.
double relativeDepth(double h, double T);

// Warns (owner: the main window) when relativeDepth(h, T) < 0.5; blocks nothing.
void deepWaterWarning(double h, double T);

// The wavelength (m) of period T at depth h, by Newton's method on the linear
// dispersion relation; L0 when k0h > 10. Returns 0 when k0h is not positive
// and finite (depth or period 0) or when the iteration fails to settle.
// `iterations`, when given, receives the number of Newton steps taken.
double waveLengthAtDepth(double T, double h, int* iterations = nullptr);

// The distance (m) from the breakwater tip to the quasi-offshore point when
// the diffraction point takes part and both are set; NaN otherwise.
double tipToPointDistance(const EstimationParams& params);

// waveLengthAtDepth at the offshore point's depth.
double waveLength(double T);

}  // namespace vornel
