#include "refraction_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "dispersion.h"
#include "inverse.h"
#include "transform.h"

namespace zelvo {

namespace {

constexpr double kPeriod = 10.0;  // any period gives the same turn at the same h/L0

// |direction at the point - theta_con| at theta_o = theta_con + principal, or -1 where the inverse
// would not take a root (nothing or less than 1 % of the height arrives).
double turnAt(const ForwardModel& model, double principal) {
    const Transformation t = model.evaluate(principal, ForwardModel::Detail::atThePoint);
    if (!t.reached || t.coefficient < kMinCoefficient) return -1.0;
    return std::fabs(t.direction > 180.0 ? t.direction - 360.0 : t.direction);
}

}  // namespace

double singlePeriodLimit(double relativeDepth) {
    return std::asin(std::tanh(solveKh(2.0 * kPi * relativeDepth))) / kDegree;
}

double largestTurn(double relativeDepth, double smax, bool regular) {
    Site site;  // theta_con = 0: the direction at the point is the turn itself
    site.pointDepth = relativeDepth * deepWaterLength(kPeriod);
    const ForwardModel model(site, kPeriod, smax, regular);
    // The sea is symmetric about the normal: half the sweep, every 0.5 degree, then a golden-section
    // search about the best sample to 0.001 degree.
    double best = 0.0, bestTurn = -1.0;
    for (double p = 0.0; p <= 89.5; p += 0.5) {
        const double turn = turnAt(model, p);
        if (turn > bestTurn) {
            best = p;
            bestTurn = turn;
        }
    }
    double a = std::max(0.0, best - 0.5), b = std::min(89.5, best + 0.5);
    const double g = (std::sqrt(5.0) - 1.0) / 2.0;
    double c = b - g * (b - a), d = a + g * (b - a);
    double fc = turnAt(model, c), fd = turnAt(model, d);
    while (b - a > 1e-3) {
        if (fc > fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - g * (b - a);
            fc = turnAt(model, c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + g * (b - a);
            fd = turnAt(model, d);
        }
    }
    return std::max({bestTurn, fc, fd, turnAt(model, a), turnAt(model, b)});
}

std::string refractionLimitTable() {
    struct Row {
        const char* label;
        double relativeDepth;
    };
    const Row rows[] = {{"0.05", 0.05}, {"0.10", 0.10}, {"0.154", 0.154}, {"0.20", 0.20}};
    std::string out = "| h/L0 | asin(tanh kh) | Smax 10 | Smax 25 | Smax 75 |\n|---|---|---|---|---|\n";
    for (const Row& row : rows) {
        char line[160];
        int n = std::snprintf(line, sizeof line, "| %s | %.1f° |", row.label, singlePeriodLimit(row.relativeDepth));
        for (int smax : kSmaxCases)
            n += std::snprintf(line + n, sizeof line - n, " %.1f° |", largestTurn(row.relativeDepth, smax));
        out += std::string(line) + "\n";
    }
    return out;
}

}  // namespace zelvo
