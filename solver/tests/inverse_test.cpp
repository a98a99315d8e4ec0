// The inverse search: a forward run followed by the inverse must give back the offshore wave.
#include "inverse.h"

#include <gtest/gtest.h>

#include <cmath>

#include "angles.h"

using namespace zelvo;

namespace {

struct Truth {
    Site site;
    double period;
    int smax;
    double direction;  // theta_o
};

// Forward with Ho = 2.5 m, then the inverse for the same Smax; the root nearest the truth.
void expectRoundTrip(const Truth& c) {
    const double ho = 2.5;
    const ForwardModel model(c.site, c.period, c.smax);
    const Transformation forward = model.evaluate(c.direction);
    ASSERT_TRUE(forward.reached);
    ResponseSweep sweep(c.site, c.period, c.smax);
    const std::vector<double> roots = findPrincipalDirections(sweep, forward.direction);
    ASSERT_FALSE(roots.empty());
    double best = c.site.contourNormal + roots.front();
    for (double r : roots)
        if (std::fabs(signed180(c.site.contourNormal + r - c.direction)) < std::fabs(signed180(best - c.direction)))
            best = c.site.contourNormal + r;
    EXPECT_NEAR(signed180(best - c.direction), 0.0, 0.1);
    const double height = ho * forward.coefficient;
    EXPECT_NEAR(height / model.evaluate(best).coefficient / ho, 1.0, 1e-3);
}

}  // namespace

TEST(RoundTrip, RecoversHeightAndDirectionWithoutDiffraction) {
    struct Case {
        double contour;
        double depth;
        double period;
    };
    for (const Case& c :
         {Case{200.0, 7.0, 6.0}, Case{200.0, 25.0, 12.0}, Case{10.0, 7.0, 12.0}, Case{10.0, 25.0, 6.0}}) {
        for (int smax : kSmaxCases) {
            for (double alpha : {-55.0, -12.0, 0.0, 33.0}) {
                Site site;
                site.contourNormal = c.contour;
                site.pointDepth = c.depth;
                SCOPED_TRACE(testing::Message() << "con " << c.contour << " h " << c.depth << " T " << c.period
                                                << " Smax " << smax << " alpha " << alpha);
                expectRoundTrip({site, c.period, smax, azimuth360(c.contour + alpha)});
            }
        }
    }
}

TEST(RoundTrip, RecoversHeightAndDirectionBehindABreakwater) {
    struct Geometry {
        double breakwaterNormal;
        double pointAngle;
        double tipDepth;
        double pointDepth;
    };
    // Shore normal at the tip turned either way from the contour normal 200; the point in the
    // shadow, on the shadow line and on the open side. Behind the breakwater the direction at the
    // point depends little on theta_o (the tip selects the directions that arrive), and where it
    // does not depend on it at all no inverse can recover theta_o: such cases are left out.
    int tested = 0;
    for (const Geometry& g : {Geometry{40.0, 10.0, 12.0, 8.0}, Geometry{0.0, 345.0, 15.0, 6.0},
                              Geometry{20.0, 0.0, 20.0, 10.0}, Geometry{35.0, 40.0, 9.0, 9.0}}) {
        for (int smax : kSmaxCases) {
            for (double alpha : {-30.0, 0.0, 20.0, 45.0}) {
                Site site;
                site.contourNormal = 200.0;
                site.pointDepth = g.pointDepth;
                site.diffraction = true;
                site.breakwaterNormal = g.breakwaterNormal;
                site.pointAngle = g.pointAngle;
                site.tipDepth = g.tipDepth;
                // Cases where almost nothing arrives are outside what the inverse reports.
                const ForwardModel model(site, 9.0, smax);
                if (model.evaluate(200.0 + alpha).coefficient < 5 * kMinCoefficient) continue;
                const double slope =
                    signed180(model.evaluate(200.5 + alpha).direction - model.evaluate(199.5 + alpha).direction);
                if (std::fabs(slope) < 0.05) continue;
                ++tested;
                SCOPED_TRACE(testing::Message() << "theta_diff " << g.breakwaterNormal << " theta " << g.pointAngle
                                                << " Smax " << smax << " alpha " << alpha);
                expectRoundTrip({site, 9.0, smax, azimuth360(200.0 + alpha)});
            }
        }
    }
    EXPECT_GE(tested, 24);
}

TEST(Inverse, CandidatesComeInSmaxOrderWithHeightsFromTheCoefficient) {
    Observation o;
    o.site.contourNormal = 200.0;
    o.site.pointDepth = 8.0;
    o.height = 1.5;
    o.period = 8.0;
    o.direction = 195.0;
    const std::vector<Candidate> c = estimateOffshoreWaves(o);
    ASSERT_EQ(c.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(c[i].smax, kSmaxCases[i]);
        EXPECT_NEAR(c[i].offshoreHeight * c[i].transformation.coefficient, 1.5, 1e-12);
        EXPECT_NEAR(c[i].transformation.direction, 195.0, 0.02);
        // Refraction turns the waves towards the normal: offshore they come from further round.
        EXPECT_LT(c[i].offshoreDirection, 195.0);
    }
    // Broader spreading, more refraction of the oblique components: a wider offshore angle.
    EXPECT_LT(c[0].offshoreDirection, c[1].offshoreDirection);
    EXPECT_LT(c[1].offshoreDirection, c[2].offshoreDirection);
}

TEST(Inverse, NoCandidateForADirectionFromTheLand) {
    Observation o;
    o.site.contourNormal = 200.0;
    o.site.pointDepth = 8.0;
    o.height = 1.5;
    o.period = 8.0;
    o.direction = 20.0;
    EXPECT_TRUE(estimateOffshoreWaves(o).empty());
    o.direction = 300.0;  // more oblique than refraction allows at this depth
    EXPECT_TRUE(estimateOffshoreWaves(o).empty());
}

TEST(Sweep, KeptEvaluationsAreTheCompleteOnesAtThePoint) {
    // The inverse and the batch work from the kept evaluations, the report from complete ones: the
    // two must agree to the bit, or a candidate's Ho would not belong to its theta_o.
    Site behind;
    behind.contourNormal = 200.0;
    behind.pointDepth = 8.0;
    behind.diffraction = true;
    behind.breakwaterNormal = 40.0;
    behind.pointAngle = 10.0;
    behind.tipDepth = 12.0;
    Site open;
    open.contourNormal = 350.0;
    open.pointDepth = 9.0;
    for (const Site& site : {open, behind}) {
        ResponseSweep sweep(site, 9.0, 25);
        for (double principal = -89.5; principal < 90.0; principal += 7.25) {
            const Transformation& kept = sweep.at(principal);
            const Transformation full = sweep.complete(principal);
            EXPECT_EQ(&kept, &sweep.at(principal));  // evaluated once
            EXPECT_EQ(kept.reached, full.reached);
            EXPECT_EQ(kept.coefficient, full.coefficient);
            EXPECT_EQ(kept.direction, full.direction);
            EXPECT_EQ(kept.shorewardShare, full.shorewardShare);
            if (full.reached) {
                EXPECT_GT(full.refraction, 0.0);
            }
        }
    }
}
