#include "transform.h"

#include <algorithm>
#include <cmath>

#include "angles.h"
#include "dispersion.h"
#include "quadrature.h"

namespace zelvo {

namespace {

// Energy sums of one evaluation, each a sum over components of S G dtheta df times a factor.
// "B" is the breakwater tip, "A" the quasi-offshore point; Kr^2 = cos a0 / cos a, K^2 = Kr^2 Ks^2.
struct Sums {
    double offshore = 0.0;             // the energy itself (of the components counted)
    double tipRefracted = 0.0;         // Kr_B^2
    double tip = 0.0;                  // K_B^2
    double tipAngle = 0.0;             // K_B^2 alpha_B
    double pointRefracted = 0.0;       // Kr_A^2
    double pointRefractedAngle = 0.0;  // Kr_A^2 alpha_A
    double point = 0.0;                // K_A^2
    double pointAngle = 0.0;           // K_A^2 alpha_A
};

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
        Band band{bin.weight, Spreading(bin.s, grid.panelDegrees), {}, {}};
        auto lay = [&](std::vector<Node>& nodes, double lo, double hi) {
            forEachNode(lo, hi, band.spreading.panel(), [&](double a0, double w) {
                const double s0 = std::sin(a0 * kDegree);
                const double c0 = std::cos(a0 * kDegree);
                const double sb = b.celerityRatio * s0;
                const double sa = a.celerityRatio * s0;
                const double krB = c0 / std::sqrt(1.0 - sb * sb);
                const double krA = c0 / std::sqrt(1.0 - sa * sa);
                nodes.push_back(Node{a0, w, krB, krB * b.shoalingSquared, asinDegrees(sb), krA, krA * a.shoalingSquared,
                                     asinDegrees(sa)});
            });
        };
        lay(band.shoreward, -90.0, 90.0);
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

Transformation ForwardModel::evaluate(double offshoreDirection) const {
    const double principal = signed180(offshoreDirection - site_.contourNormal);
    Sums shore, pass;
    auto accumulate = [principal](Sums& sums, const std::vector<Node>& nodes, const Spreading& g, double weight) {
        Sums part;
        // The window about the principal direction, and its copies a turn either way for principal
        // directions from the land side; at most 360 degrees wide, so no node is taken twice.
        for (double centre : {principal - 360.0, principal, principal + 360.0}) {
            const double lo = centre - g.halfWindow();
            const double hi = centre + g.halfWindow();
            auto it = std::lower_bound(nodes.begin(), nodes.end(), lo,
                                       [](const Node& n, double value) { return n.alpha0 < value; });
            for (; it != nodes.end() && it->alpha0 < hi; ++it) {
                const double e = it->weight * g.density(it->alpha0 - centre);
                part.offshore += e;
                part.tipRefracted += e * it->tipRefracted;
                part.tip += e * it->tip;
                part.tipAngle += e * it->tip * it->tipAngle;
                part.pointRefracted += e * it->pointRefracted;
                part.pointRefractedAngle += e * it->pointRefracted * it->pointAngle;
                part.point += e * it->point;
                part.pointAngle += e * it->point * it->pointAngle;
            }
        }
        sums.offshore += weight * part.offshore;
        sums.tipRefracted += weight * part.tipRefracted;
        sums.tip += weight * part.tip;
        sums.tipAngle += weight * part.tipAngle;
        sums.pointRefracted += weight * part.pointRefracted;
        sums.pointRefractedAngle += weight * part.pointRefractedAngle;
        sums.point += weight * part.point;
        sums.pointAngle += weight * part.pointAngle;
    };
    for (const Band& band : bands_) {
        accumulate(shore, band.shoreward, band.spreading, band.weight);
        if (site_.diffraction) accumulate(pass, band.passing, band.spreading, band.weight);
    }
    if (!site_.diffraction) pass = shore;

    Transformation t;
    t.shorewardShare = shore.offshore;
    // Below this nothing measurable arrives (K < 1e-6) and the direction has no meaning.
    if (!(shore.offshore > 0.0) || !(pass.point > 1e-12 * shore.offshore)) return t;
    t.reached = true;
    t.coefficient = std::sqrt(pass.point / shore.offshore);
    t.direction = azimuth360(site_.contourNormal + pass.pointAngle / pass.point);
    t.refractedDirection = azimuth360(site_.contourNormal + pass.pointRefractedAngle / pass.pointRefracted);
    if (site_.diffraction) {
        t.tipRefraction = std::sqrt(shore.tipRefracted / shore.offshore);
        t.tipShoaling = std::sqrt(shore.tip / shore.tipRefracted);
        t.diffraction = std::sqrt(pass.tip / shore.tip);
        t.tipDirection = azimuth360(site_.contourNormal + shore.tipAngle / shore.tip);
        t.passingDirection = azimuth360(site_.contourNormal + pass.tipAngle / pass.tip);
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
