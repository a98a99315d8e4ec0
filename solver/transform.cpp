#include "transform.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "angles.h"
#include "dispersion.h"
#include "fast_math.h"
#include "quadrature.h"

namespace zelvo {

namespace {

// Energy sums of one evaluation, each a sum over components of S G dtheta df times a factor.
// "B" is the breakwater tip, "A" the quasi-offshore point; Kr^2 = cos a0 / cos a, K^2 = Kr^2 Ks^2.
// Directions are summed as unit vectors (sin, cos) weighted by the energy: the circular mean.
struct Sums {
    double offshore = 0.0;           // the energy itself (of the components counted)
    double tipRefracted = 0.0;       // Kr_B^2
    double tip = 0.0;                // K_B^2
    double tipSin = 0.0;             // K_B^2 sin alpha_B
    double tipCos = 0.0;             // K_B^2 cos alpha_B
    double pointRefracted = 0.0;     // Kr_A^2
    double pointRefractedSin = 0.0;  // Kr_A^2 sin alpha_A
    double pointRefractedCos = 0.0;  // Kr_A^2 cos alpha_A
    double point = 0.0;              // K_A^2
    double pointSin = 0.0;           // K_A^2 sin alpha_A
    double pointCos = 0.0;           // K_A^2 cos alpha_A
};

// The energy-weighted circular (vector) mean of the angles summed as (sin, cos), in degrees from
// the contour normal. Every component has travelled shoreward, so the resultant points shoreward.
double circularMean(double sinSum, double cosSum) {
    return std::atan2(sinSum, cosSum) / kDegree;
}

double asinDegrees(double x) {
    return std::asin(std::clamp(x, -1.0, 1.0)) / kDegree;
}

// Reduces theta_con - theta_diff as the main program does when it works out theta (subtract 360
// while above 180, add 360 while below -180), so that the sense of theta is read the same way.
double contourToBreakwater(double contourNormal, double breakwaterNormal) {
    double d = std::fmod(contourNormal - breakwaterNormal, 360.0);
    while (d > 180.0) d -= 360.0;
    while (d < -180.0) d += 360.0;
    return d;
}

}  // namespace

ForwardModel::ForwardModel(const Site& site, double period, double smax, bool regular, const Grid& grid) : site_(site) {
    if (site.diffraction) {
        // The main program gives theta = theta_diff - c when delta = theta_con - theta_diff >= 0 and
        // theta = c - theta_diff otherwise (c: azimuth from the tip to the point). In that frame,
        // phi(x) = leeSign (theta_diff - x), waves square to the contours travel at 180 - |delta| >= 0
        // and the virtual breakwater runs from the tip towards phi = -90.
        const double delta = contourToBreakwater(site.contourNormal, site.breakwaterNormal);
        leeSign_ = delta >= 0.0 ? 1.0 : -1.0;
        squareWave_ = 180.0 - std::fabs(delta);
        pointFrame_ = signed180(site.pointAngle);
    }
    const std::vector<FrequencyBin> bins =
        regular ? regularWaveBins(period, smax) : randomSeaBins(period, smax, grid.frequencyPanels);
    bands_.reserve(bins.size());
    for (const FrequencyBin& bin : bins) {
        const DepthFactors a = depthFactors(bin.frequency, site.pointDepth);
        const DepthFactors b = site.diffraction ? depthFactors(bin.frequency, site.tipDepth) : a;
        const Spreading spreading(bin.s, grid.panelDegrees);
        Band band{bin.weight * spreading.norm(), spreading.exponent(),
                  std::log(std::cos(0.5 * spreading.halfWindow() * kDegree)), 0, {}, {}};
        auto lay = [&](std::vector<Node>& nodes, double lo, double hi) {
            forEachNode(lo, hi, spreading.panel(), [&](double a0, double w) {
                const double s0 = std::sin(a0 * kDegree);
                const double c0 = std::cos(a0 * kDegree);
                const double sb = b.celerityRatio * s0;
                const double sa = a.celerityRatio * s0;
                const double cb = std::sqrt(1.0 - sb * sb);
                const double ca = std::sqrt(1.0 - sa * sa);
                const double krB = c0 / cb;
                const double krA = c0 / ca;
                nodes.push_back(Node{w, krA * a.shoalingSquared, sa, ca, std::cos(0.5 * a0 * kDegree),
                                     std::sin(0.5 * a0 * kDegree), krB, krB * b.shoalingSquared, sb, cb, krA});
            });
        };
        lay(band.shoreward, -90.0, 90.0);
        band.layout = -1;
        for (std::size_t i = 0; i < layouts_.size() && band.layout < 0; ++i)
            if (layouts_[i].panel == spreading.panel()) band.layout = static_cast<int>(i);
        if (band.layout < 0) {
            Layout layout{spreading.panel(), {}, {}};
            for (const Node& n : band.shoreward) {
                layout.halfCos.push_back(n.halfCos);
                layout.halfSin.push_back(n.halfSin);
            }
            band.layout = static_cast<int>(layouts_.size());
            layouts_.push_back(std::move(layout));
        }
        if (site.diffraction) {
            double lo, hi;
            passingInterval(b.celerityRatio, lo, hi);
            lay(band.passing, lo, hi);
        }
        bands_.push_back(std::move(band));
    }
}

void ForwardModel::passingInterval(double tipCelerity, double& lo, double& hi) const {
    lo = -90.0;
    hi = 90.0;
    // A point in front of the breakwater line sees every component.
    if (std::fabs(pointFrame_) >= 90.0) return;
    // A component travelling at phi_c = squareWave - leeSign alpha_B lights the point when the point
    // lies on the open side of the component's shadow line: -90 < phi_c <= phi_point.
    double bLo, bHi;
    if (leeSign_ > 0.0) {
        bLo = squareWave_ - pointFrame_;
        bHi = squareWave_ + 90.0;
    } else {
        bLo = -squareWave_ - 90.0;
        bHi = pointFrame_ - squareWave_;
    }
    bLo = std::max(bLo, -90.0);
    bHi = std::min(bHi, 90.0);
    if (bLo >= bHi) {
        lo = hi = 0.0;
        return;
    }
    // Snell's law back to deep water; directions the tip cannot receive clamp to the contour line.
    lo = asinDegrees(std::sin(bLo * kDegree) / tipCelerity);
    hi = asinDegrees(std::sin(bHi * kDegree) / tipCelerity);
}

Transformation ForwardModel::evaluate(double offshoreDirection, Detail detail) const {
    const double principal = signed180(offshoreDirection - site_.contourNormal);
    // G(x) = G0 |cos(x / 2)|^2s with x = alpha0 - principal, periodic over the full circle; its
    // power is taken as exp(2s ln |cos|), and the logarithm is shared by every band of a layout.
    const double principalCos = std::cos(0.5 * principal * kDegree);
    const double principalSin = std::sin(0.5 * principal * kDegree);
    auto logHalfCos = [&](double halfCos, double halfSin) {
        const double c = std::fabs(halfCos * principalCos + halfSin * principalSin);
        return c > 0.0 ? logOfPositive(c) : -HUGE_VAL;
    };
    std::vector<std::vector<double>> logs(layouts_.size());
    for (std::size_t i = 0; i < layouts_.size(); ++i) {
        const Layout& layout = layouts_[i];
        logs[i].resize(layout.halfCos.size());
        for (std::size_t n = 0; n < logs[i].size(); ++n) logs[i][n] = logHalfCos(layout.halfCos[n], layout.halfSin[n]);
    }
    // The sums at the point (K, the direction, m0) are accumulated alike in both kinds of
    // evaluation, so both give the same bits; the complete one adds the factors of the report.
    auto accumulate = [](auto complete, Sums& sums, const Band& band, const std::vector<Node>& nodes, auto&& logOf) {
        Sums part;
        for (std::size_t n = 0; n < nodes.size(); ++n) {
            const double l = logOf(n);
            if (!(l > band.logWindow)) continue;  // outside the window G is below 1e-12 of its peak
            const Node& node = nodes[n];
            const double e = node.weight * expOfNegative(band.exponent * l);
            part.offshore += e;
            part.point += e * node.point;
            part.pointSin += e * node.point * node.pointSin;
            part.pointCos += e * node.point * node.pointCos;
            if constexpr (decltype(complete)::value) {
                part.tipRefracted += e * node.tipRefracted;
                part.tip += e * node.tip;
                part.tipSin += e * node.tip * node.tipSin;
                part.tipCos += e * node.tip * node.tipCos;
                part.pointRefracted += e * node.pointRefracted;
                part.pointRefractedSin += e * node.pointRefracted * node.pointSin;
                part.pointRefractedCos += e * node.pointRefracted * node.pointCos;
            }
        }
        const double w = band.weight;
        sums.offshore += w * part.offshore;
        sums.point += w * part.point;
        sums.pointSin += w * part.pointSin;
        sums.pointCos += w * part.pointCos;
        if constexpr (decltype(complete)::value) {
            sums.tipRefracted += w * part.tipRefracted;
            sums.tip += w * part.tip;
            sums.tipSin += w * part.tipSin;
            sums.tipCos += w * part.tipCos;
            sums.pointRefracted += w * part.pointRefracted;
            sums.pointRefractedSin += w * part.pointRefractedSin;
            sums.pointRefractedCos += w * part.pointRefractedCos;
        }
    };
    Sums shore, pass;
    auto accumulateAll = [&](auto complete) {
        for (const Band& band : bands_) {
            const std::vector<double>& shared = logs[band.layout];
            accumulate(complete, shore, band, band.shoreward, [&](std::size_t n) { return shared[n]; });
            if (site_.diffraction)
                accumulate(complete, pass, band, band.passing, [&](std::size_t n) {
                    return logHalfCos(band.passing[n].halfCos, band.passing[n].halfSin);
                });
        }
    };
    if (detail == Detail::complete)
        accumulateAll(std::true_type{});
    else
        accumulateAll(std::false_type{});
    if (!site_.diffraction) pass = shore;

    Transformation t;
    t.shorewardShare = shore.offshore;
    // Below this nothing measurable arrives (K < 1e-6) and the direction has no meaning.
    if (!(shore.offshore > 0.0) || !(pass.point > 1e-12 * shore.offshore)) return t;
    t.reached = true;
    t.coefficient = std::sqrt(pass.point / shore.offshore);
    t.direction = azimuth360(site_.contourNormal + circularMean(pass.pointSin, pass.pointCos));
    if (detail == Detail::atThePoint) return t;
    t.refractedDirection =
        azimuth360(site_.contourNormal + circularMean(pass.pointRefractedSin, pass.pointRefractedCos));
    if (site_.diffraction) {
        t.tipRefraction = std::sqrt(shore.tipRefracted / shore.offshore);
        t.tipShoaling = std::sqrt(shore.tip / shore.tipRefracted);
        t.diffraction = std::sqrt(pass.tip / shore.tip);
        t.tipDirection = azimuth360(site_.contourNormal + circularMean(shore.tipSin, shore.tipCos));
        t.passingDirection = azimuth360(site_.contourNormal + circularMean(pass.tipSin, pass.tipCos));
        // From the tip on: per component Kr_A^2 / Kr_B^2 = cos a_B / cos a_A.
        t.refraction = std::sqrt(pass.pointRefracted / pass.tipRefracted);
        t.shoaling = std::sqrt(pass.point / pass.tip) / t.refraction;
    } else {
        t.refraction = std::sqrt(pass.pointRefracted / pass.offshore);
        t.shoaling = std::sqrt(pass.point / pass.pointRefracted);
        t.tipDirection = t.passingDirection = t.direction;
    }
    return t;
}

}  // namespace zelvo
