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
    double offshore = 0.0;  // the energy itself (of the components counted)
    double tipRefracted = 0.0;  // Kr_B^2
    double tip = 0.0;           // K_B^2
    double tipAngle = 0.0;      // K_B^2 alpha_B
    double pointRefracted = 0.0;       // Kr_A^2
    double pointRefractedAngle = 0.0;  // Kr_A^2 alpha_A
    double point = 0.0;                // K_A^2
    double pointAngle = 0.0;           // K_A^2 alpha_A
};

double asinDegrees(double x) { return std::asin(std::clamp(x, -1.0, 1.0)) / kDegree; }

// Reduces theta_con - theta_diff as the main program does when it works out theta (subtract 360
// while above 180, add 360 while below -180), so that the sense of theta is read the same way.
double contourToBreakwater(double contourNormal, double breakwaterNormal) {
    double d = std::fmod(contourNormal - breakwaterNormal, 360.0);
    while (d > 180.0) d -= 360.0;
    while (d < -180.0) d += 360.0;
    return d;
}

}  // namespace

ForwardModel::ForwardModel(const Site& site, double period, double smax, bool regular, const Grid& grid)
    : site_(site), panelDegrees_(grid.panelDegrees) {
    const std::vector<FrequencyBin> bins =
        regular ? regularWaveBins(period, smax) : randomSeaBins(period, smax, grid.frequencyPanels);
    bands_.reserve(bins.size());
    for (const FrequencyBin& bin : bins) {
        const DepthFactors a = depthFactors(bin.frequency, site.pointDepth);
        const DepthFactors b = site.diffraction ? depthFactors(bin.frequency, site.tipDepth) : a;
        bands_.push_back(Band{bin.weight, Spreading(bin.s, grid.panelDegrees), a.celerityRatio, a.shoalingSquared,
                              b.celerityRatio, b.shoalingSquared});
    }
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
}

void ForwardModel::passingInterval(const Band& band, double& lo, double& hi) const {
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
    lo = asinDegrees(std::sin(bLo * kDegree) / band.tipCelerity);
    hi = asinDegrees(std::sin(bHi * kDegree) / band.tipCelerity);
}

Transformation ForwardModel::evaluate(double offshoreDirection) const {
    const double principal = signed180(offshoreDirection - site_.contourNormal);
    Sums shore, pass;
    for (const Band& band : bands_) {
        const Spreading& g = band.spreading;
        // Only components travelling shoreward (|alpha0| < 90) carry energy in; they also make m0.
        const double windowLo = std::max(-90.0, principal - g.halfWindow());
        const double windowHi = std::min(90.0, principal + g.halfWindow());
        auto accumulate = [&](Sums& sums, double lo, double hi, bool withTip, bool withPoint) {
            Sums part;
            forEachNode(lo, hi, g.panel(), [&](double a0, double w) {
                const double e = w * g.density(a0 - principal);
                const double s0 = std::sin(a0 * kDegree);
                const double c0 = std::cos(a0 * kDegree);
                part.offshore += e;
                if (withTip) {
                    const double sb = band.tipCelerity * s0;
                    const double kr2 = c0 / std::sqrt(1.0 - sb * sb);
                    part.tipRefracted += e * kr2;
                    part.tip += e * kr2 * band.tipShoaling;
                    part.tipAngle += e * kr2 * band.tipShoaling * asinDegrees(sb);
                }
                if (withPoint) {
                    const double sa = band.pointCelerity * s0;
                    const double kr2 = c0 / std::sqrt(1.0 - sa * sa);
                    const double angle = asinDegrees(sa);
                    part.pointRefracted += e * kr2;
                    part.pointRefractedAngle += e * kr2 * angle;
                    part.point += e * kr2 * band.pointShoaling;
                    part.pointAngle += e * kr2 * band.pointShoaling * angle;
                }
            });
            const double w = band.weight;
            sums.offshore += w * part.offshore;
            sums.tipRefracted += w * part.tipRefracted;
            sums.tip += w * part.tip;
            sums.tipAngle += w * part.tipAngle;
            sums.pointRefracted += w * part.pointRefracted;
            sums.pointRefractedAngle += w * part.pointRefractedAngle;
            sums.point += w * part.point;
            sums.pointAngle += w * part.pointAngle;
        };
        if (site_.diffraction) {
            accumulate(shore, windowLo, windowHi, true, false);
            double lo, hi;
            passingInterval(band, lo, hi);
            accumulate(pass, std::max(lo, windowLo), std::min(hi, windowHi), true, true);
        } else {
            accumulate(shore, windowLo, windowHi, false, true);
        }
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
