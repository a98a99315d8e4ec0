#include "dispersion.h"

#include <cmath>

namespace zelvo {

double deepWaterLength(double period) {
    return kGravity * period * period / (2.0 * kPi);
}

double solveKh(double k0h) {
    if (std::isnan(k0h)) return k0h;
    if (k0h <= 0.0) return 0.0;
    // Beyond k0h = 20, tanh(k0h) is 1 to double precision: deep water.
    if (k0h >= 20.0) return k0h;
    // Start from Eckart's explicit approximation (within 5 %), then Newton on f(x) = x tanh x - k0h,
    // which is increasing and convex for x > 0, so Newton from above converges monotonically. The
    // iteration count is capped so that a pathological argument cannot loop forever.
    double x = k0h / std::sqrt(std::tanh(k0h));
    for (int i = 0; i < 60; ++i) {
        const double t = std::tanh(x);
        const double f = x * t - k0h;
        const double df = t + x * (1.0 - t * t);
        const double next = x - f / df;
        if (!(next > 0.0)) {
            x *= 0.5;  // never leaves the positive axis
            continue;
        }
        const bool done = std::fabs(next - x) <= 1e-15 * next;
        x = next;
        if (done) break;
    }
    return x;
}

DepthFactors depthFactors(double frequency, double depth) {
    const double omega = 2.0 * kPi * frequency;
    const double k0h = omega * omega / kGravity * depth;
    DepthFactors d;
    d.kh = solveKh(k0h);
    const double t = std::tanh(d.kh);
    d.celerityRatio = t;
    // n = Cg / C = (1 + 2kh / sinh 2kh) / 2; for large kh the second term vanishes (and sinh overflows).
    const double twoKh = 2.0 * d.kh;
    const double n = 0.5 * (1.0 + (twoKh < 700.0 ? twoKh / std::sinh(twoKh) : 0.0));
    d.shoalingSquared = 1.0 / (2.0 * n * t);
    return d;
}

}  // namespace zelvo
