// Composite three-point Gauss-Legendre rule over an angular interval.
#pragma once

#include <cmath>

namespace zelvo {

// Calls visit(x, weight) for every node of the rule over [lo, hi], with panels no wider than
// maxPanel. The rule is exact for quintics on each panel, so a smooth spreading function needs
// only a few panels per standard deviation, and the interval ends (cut-offs at the contour line
// or at a breakwater's shadow line) are taken exactly rather than rounded to a grid cell.
template <class Visit>
void forEachNode(double lo, double hi, double maxPanel, Visit&& visit) {
    if (!(hi > lo)) return;
    const int panels = static_cast<int>(std::ceil((hi - lo) / maxPanel));
    const double width = (hi - lo) / panels;
    const double half = 0.5 * width;
    const double offset = half * 0.7745966692414834;  // sqrt(3/5)
    const double outer = half * 5.0 / 9.0;
    const double inner = half * 8.0 / 9.0;
    for (int i = 0; i < panels; ++i) {
        const double mid = lo + (i + 0.5) * width;
        visit(mid - offset, outer);
        visit(mid, inner);
        visit(mid + offset, outer);
    }
}

template <class F>
double integrate(double lo, double hi, double maxPanel, F&& f) {
    double sum = 0.0;
    forEachNode(lo, hi, maxPanel, [&](double x, double w) { sum += w * f(x); });
    return sum;
}

}  // namespace zelvo
