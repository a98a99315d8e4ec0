// Linear wave theory over a flat bed: wave number, celerity and group velocity ratios.
#pragma once

namespace zelvo {

inline constexpr double kGravity = 9.80665;  // m/s^2, the value the main program uses
inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kDegree = kPi / 180.0;

// Deep-water wavelength g T^2 / 2 pi (m).
double deepWaterLength(double period);

// kh for deep-water k0h, the root of x tanh x = k0h. Finite for every k0h > 0; returns 0 for k0h <= 0
// and NaN for a NaN argument.
double solveKh(double k0h);

// The refraction and shoaling quantities of one frequency at one depth, both relative to deep water.
struct DepthFactors {
    double kh = 0.0;
    double celerityRatio = 1.0;    // C / C0 = tanh kh; also sin(alpha) / sin(alpha0) by Snell's law
    double shoalingSquared = 1.0;  // Ks^2 = Cg0 / Cg = 1 / (2 n tanh kh)
};

// Frequency in Hz, depth in m (> 0).
DepthFactors depthFactors(double frequency, double depth);

}  // namespace zelvo
