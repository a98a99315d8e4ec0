// Linear theory, the regular-wave limit of the model, the spreading function and the diffraction
// geometry.
#include <gtest/gtest.h>

#include <cmath>

#include "angles.h"
#include "dispersion.h"
#include "refraction_limits.h"
#include "sea_state.h"
#include "transform.h"

using namespace zelvo;

namespace {

double depthFor(double relativeDepth, double period) {
    return relativeDepth * deepWaterLength(period);
}

}  // namespace

TEST(Dispersion, SolvesTheRelationOverTheWholeRangeOfDepths) {
    for (double k0h = 1e-10; k0h < 1e4; k0h *= 3.7) {
        const double x = solveKh(k0h);
        ASSERT_TRUE(std::isfinite(x)) << k0h;
        EXPECT_NEAR(x * std::tanh(x), k0h, 1e-12 * std::max(1.0, k0h)) << k0h;
    }
    EXPECT_EQ(solveKh(0.0), 0.0);
    EXPECT_EQ(solveKh(-1.0), 0.0);
    EXPECT_EQ(solveKh(INFINITY), INFINITY);
}

TEST(Dispersion, MatchesTabulatedLinearTheory) {
    // Wavelength ratio and shoaling coefficient at h/L0 = 0.1 (L/L0 = 0.7095, Ks = 0.932) and the
    // minimum of Ks, 0.913 near h/L0 = 0.15; deep water is left unchanged.
    const double T = 10.0;
    const DepthFactors d = depthFactors(1.0 / T, depthFor(0.1, T));
    EXPECT_NEAR(d.celerityRatio, 0.7095, 0.0005);
    EXPECT_NEAR(std::sqrt(d.shoalingSquared), 0.932, 0.001);
    double lowest = 2.0;
    for (double r = 0.05; r < 0.4; r += 0.001)
        lowest = std::min(lowest, std::sqrt(depthFactors(1.0 / T, depthFor(r, T)).shoalingSquared));
    EXPECT_NEAR(lowest, 0.913, 0.001);
    const DepthFactors deep = depthFactors(1.0 / T, 5000.0);
    EXPECT_DOUBLE_EQ(deep.celerityRatio, 1.0);
    EXPECT_NEAR(deep.shoalingSquared, 1.0, 1e-12);
    // Shallow-water limit (Green's law): Ks^2 -> 1 / (2 sqrt(k0 h)).
    const DepthFactors shallow = depthFactors(1.0 / T, depthFor(1e-5, T));
    EXPECT_NEAR(shallow.shoalingSquared * 2.0 * std::sqrt(2.0 * kPi * 1e-5), 1.0, 1e-3);
}

TEST(RegularWaveLimit, RefractionAndShoalingFollowSnellAndLinearTheory) {
    const double T = 8.0;
    for (double relativeDepth : {0.3, 0.1, 0.03}) {
        for (double alpha0 : {-60.0, -25.0, 0.0, 40.0, 75.0}) {
            Site site;
            site.contourNormal = 350.0;  // the offshore directions straddle north
            site.pointDepth = depthFor(relativeDepth, T);
            const ForwardModel model(site, T, 1e6, true);
            const Transformation t = model.evaluate(azimuth360(350.0 + alpha0));
            const DepthFactors d = depthFactors(1.0 / T, site.pointDepth);
            const double alpha = std::asin(d.celerityRatio * std::sin(alpha0 * kDegree));
            const double kr = std::sqrt(std::cos(alpha0 * kDegree) / std::cos(alpha));
            SCOPED_TRACE(testing::Message() << "h/L0 " << relativeDepth << " alpha0 " << alpha0);
            EXPECT_NEAR(t.refraction, kr, 2e-4);
            EXPECT_NEAR(t.shoaling, std::sqrt(d.shoalingSquared), 1e-6);
            EXPECT_NEAR(t.coefficient, kr * std::sqrt(d.shoalingSquared), 2e-4);
            EXPECT_NEAR(signed180(t.direction - (350.0 + alpha / kDegree)), 0.0, 0.01);
            EXPECT_NEAR(t.shorewardShare, 1.0, 1e-9);
        }
    }
}

TEST(RegularWaveLimit, WavesFromTheLandSideCarryNothing) {
    Site site;
    site.contourNormal = 90.0;
    const ForwardModel model(site, 8.0, 1e6, true);
    const Transformation t = model.evaluate(270.0);
    EXPECT_FALSE(t.reached);
    EXPECT_NEAR(t.shorewardShare, 0.0, 1e-12);
}

TEST(Spreading, IsNormalisedOverTheFullCircleAtEveryConcentration) {
    for (double s : {0.05, 1.0, 10.0, 75.0, 1e4}) {
        const Spreading g(s, 3.0);
        EXPECT_NEAR(g.mass(-180.0, 180.0), 1.0, 1e-12) << s;
        // Against G0 = 2^(2s-1)/pi Gamma^2(s+1)/Gamma(2s+1) per radian at the peak.
        const double g0 = std::exp((2 * s - 1) * std::log(2.0) + 2 * std::lgamma(s + 1) - std::lgamma(2 * s + 1)) / kPi;
        // Small s has a cusp at +-180 that the rule resolves to a few 1e-5.
        EXPECT_NEAR(g.density(0.0) / (g0 * kDegree), 1.0, s < 1.0 ? 1e-4 : 1e-6) << s;
    }
}

TEST(Spreading, ConcentrationPeaksAtThePeakFrequency) {
    const double fp = peakFrequency(10.0);
    EXPECT_NEAR(fp, 1.0 / 10.5, 1e-15);
    EXPECT_DOUBLE_EQ(spreadingParameter(fp, fp, 25.0), 25.0);
    EXPECT_NEAR(spreadingParameter(0.5 * fp, fp, 32.0), 1.0, 1e-12);
    EXPECT_NEAR(spreadingParameter(4.0 * fp, fp, 32.0), 1.0, 1e-12);
    const std::vector<FrequencyBin> bins = randomSeaBins(10.0, 25.0, 24);
    double weight = 0.0;
    for (std::size_t i = 0; i < bins.size(); ++i) {
        weight += bins[i].weight;
        if (i > 0) {
            EXPECT_GT(bins[i].frequency, bins[i - 1].frequency);
        }
        EXPECT_LE(bins[i].s, 25.0);
    }
    EXPECT_NEAR(weight, 1.0, 1e-12);
}

TEST(CumulativeRelativeEnergy, IsAHalfAtThePrincipalDirectionSymmetricAndNarrowerForSwell) {
    for (int smax : {10, 25, 75}) {
        EXPECT_NEAR(cumulativeRelativeEnergy(smax, 0.0, 180.0), 0.5, 1e-12);
        EXPECT_NEAR(cumulativeRelativeEnergy(smax, 180.0, 180.0), 1.0, 1e-12);
        EXPECT_NEAR(cumulativeRelativeEnergy(smax, -180.0, 180.0), 0.0, 1e-12);
        EXPECT_NEAR(cumulativeRelativeEnergy(smax, 90.0, 90.0), 1.0, 1e-12);
        for (double a : {10.0, 30.0, 60.0, 120.0})
            EXPECT_NEAR(cumulativeRelativeEnergy(smax, a, 180.0) + cumulativeRelativeEnergy(smax, -a, 180.0), 1.0,
                        1e-8);
    }
    for (double a : {-60.0, -30.0, -10.0}) {
        EXPECT_GT(cumulativeRelativeEnergy(10, a, 180.0), cumulativeRelativeEnergy(25, a, 180.0));
        EXPECT_GT(cumulativeRelativeEnergy(25, a, 180.0), cumulativeRelativeEnergy(75, a, 180.0));
    }
    double previous = 0.0;
    for (double a = -175.0; a <= 175.0; a += 5.0) {
        const double p = cumulativeRelativeEnergy(10, a, 180.0);
        EXPECT_GT(p, previous);
        previous = p;
    }
}

TEST(RefractionLimit, RandomSeasTurnFurtherThanOnePeriodWithNarrowerSpreading) {
    for (double relativeDepth : {0.05, 0.154, 0.3}) {
        // One period: Snell's law at the edge of the sweep, theta_o 89.5 degrees off the normal.
        const double edge = std::asin(std::tanh(solveKh(2.0 * kPi * relativeDepth)) * std::sin(89.5 * kDegree));
        EXPECT_NEAR(largestTurn(relativeDepth, 1e6, true), edge / kDegree, 1e-3) << relativeDepth;
        // A wind sea's spreading keeps its mean nearer the normal than swell's.
        const double turn10 = largestTurn(relativeDepth, 10), turn25 = largestTurn(relativeDepth, 25);
        EXPECT_LT(turn10, turn25) << relativeDepth;
        EXPECT_LT(turn25, largestTurn(relativeDepth, 75)) << relativeDepth;
        EXPECT_LT(turn10, singlePeriodLimit(relativeDepth)) << relativeDepth;
    }
    EXPECT_LT(largestTurn(0.05, 25), largestTurn(0.154, 25));  // deeper water, less refraction
}
