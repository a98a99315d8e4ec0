// The virtual breakwater: which components reach the point, mirror symmetry and grid convergence.
#include <gtest/gtest.h>

#include <cmath>

#include "angles.h"
#include "transform.h"

using namespace zelvo;

namespace {

// Deep water everywhere, so that only diffraction changes the wave. The contours face 200; the
// shore normal at the tip is 200 as well (theta_diff = 20): waves square to the contours travel
// along the breakwater normal. theta is measured from theta_diff in the main program's sense.
Site deepSite(double pointAngle) {
    Site s;
    s.contourNormal = 200.0;
    s.pointDepth = 3000.0;
    s.diffraction = true;
    s.breakwaterNormal = 20.0;
    s.pointAngle = pointAngle;
    s.tipDepth = 3000.0;
    return s;
}

}  // namespace

TEST(Diffraction, FarFieldCoefficientFollowsTheCumulativeEnergy) {
    // delta = 180 (>= 0): the breakwater lies towards phi = -90, so theta = 360 - phi is phi degrees
    // into the shadow. On the shadow line a symmetric sea gives Kd = 0.707; the values 30 and 60
    // degrees into the shadow are Goda's far-field values (within the normalisation difference).
    struct Case {
        int smax;
        double into;
        double kd;
        double tolerance;
    };
    for (const Case& c : {Case{10, 0.0, 0.7071, 2e-4}, Case{75, 0.0, 0.7071, 2e-4}, Case{10, 30.0, 0.440, 0.005},
                          Case{75, 30.0, 0.162, 0.002}, Case{75, 60.0, 0.044, 0.003}, Case{10, -30.0, 0.894, 0.005}}) {
        const ForwardModel model(deepSite(azimuth360(-c.into)), 10.0, c.smax);
        const Transformation t = model.evaluate(200.0);
        SCOPED_TRACE(testing::Message() << "Smax " << c.smax << " into the shadow " << c.into);
        EXPECT_NEAR(t.diffraction, c.kd, c.tolerance);
        EXPECT_NEAR(t.coefficient, t.diffraction, 1e-9);  // no refraction or shoaling in deep water
        // The point sees the components travelling towards the breakwater side: from above 200.
        if (c.into > 0.0) {
            EXPECT_GT(signed180(t.direction - 200.0), 0.0);
        }
    }
}

TEST(Diffraction, PointInFrontOfTheBreakwaterLineSeesEverything) {
    for (double theta : {90.0, 135.0, 180.0, 250.0, 270.0}) {
        Site site = deepSite(theta);
        site.pointDepth = site.tipDepth = 9.0;
        Site open = site;
        open.diffraction = false;
        const Transformation a = ForwardModel(site, 9.0, 25).evaluate(215.0);
        const Transformation b = ForwardModel(open, 9.0, 25).evaluate(215.0);
        EXPECT_NEAR(a.diffraction, 1.0, 1e-12) << theta;
        EXPECT_NEAR(a.coefficient, b.coefficient, 1e-12) << theta;
        EXPECT_NEAR(a.direction, b.direction, 1e-9) << theta;
    }
}

TEST(Diffraction, DeeperIntoTheShadowLessArrives) {
    double previous = 2.0;
    for (double into = -60.0; into <= 80.0; into += 10.0) {
        const Transformation t = ForwardModel(deepSite(azimuth360(-into)), 8.0, 25).evaluate(200.0);
        EXPECT_LT(t.coefficient, previous) << into;
        previous = t.coefficient;
    }
}

TEST(Diffraction, MirroredSiteGivesTheMirroredWave) {
    // Reflecting every azimuth (x -> 360 - x) turns the sign of delta, and the main program then
    // measures theta the other way round: the same physical case must come out mirrored.
    Site site;
    site.contourNormal = 200.0;
    site.breakwaterNormal = 55.0;  // shore normal at the tip 235
    site.pointAngle = 12.0;
    site.tipDepth = 14.0;
    site.pointDepth = 7.0;
    site.diffraction = true;
    Site mirror = site;
    mirror.contourNormal = azimuth360(-site.contourNormal);
    mirror.breakwaterNormal = azimuth360(-site.breakwaterNormal);
    for (double theta0 : {175.0, 195.0, 220.0, 260.0}) {
        const Transformation a = ForwardModel(site, 9.0, 25).evaluate(theta0);
        const Transformation b = ForwardModel(mirror, 9.0, 25).evaluate(azimuth360(-theta0));
        ASSERT_EQ(a.reached, b.reached);
        if (!a.reached) continue;
        EXPECT_NEAR(a.coefficient, b.coefficient, 1e-9) << theta0;
        EXPECT_NEAR(signed180(a.direction + b.direction), 0.0, 1e-7) << theta0;
    }
}

TEST(Diffraction, CoefficientsMultiplyToTheWhole) {
    Site site = deepSite(15.0);
    site.tipDepth = 12.0;
    site.pointDepth = 6.0;
    const Transformation t = ForwardModel(site, 10.0, 10).evaluate(190.0);
    ASSERT_TRUE(t.reached);
    EXPECT_NEAR(t.tipRefraction * t.tipShoaling * t.diffraction * t.refraction * t.shoaling, t.coefficient, 1e-12);
    EXPECT_LT(t.diffraction, 1.0);
    EXPECT_LT(t.shorewardShare, 1.0);  // some of a wind sea travels offshore
}

TEST(Grid, DoublingTheResolutionChangesTheResultByLessThanATenthOfAPercent) {
    Site open;
    open.contourNormal = 200.0;
    open.pointDepth = 6.0;
    Site behind = deepSite(5.0);
    behind.tipDepth = 15.0;
    behind.pointDepth = 6.0;
    const Grid coarse;
    const Grid fine{coarse.frequencyPanels * 2, coarse.panelDegrees / 2.0};
    for (const Site& site : {open, behind}) {
        for (int smax : {10, 25, 75}) {
            for (double theta0 : {150.0, 185.0, 200.0, 240.0}) {
                const Transformation a = ForwardModel(site, 12.0, smax, false, coarse).evaluate(theta0);
                const Transformation b = ForwardModel(site, 12.0, smax, false, fine).evaluate(theta0);
                SCOPED_TRACE(testing::Message()
                             << "Smax " << smax << " theta0 " << theta0 << " diffraction " << site.diffraction);
                ASSERT_TRUE(a.reached && b.reached);
                EXPECT_NEAR(a.coefficient / b.coefficient, 1.0, 1e-3);
                EXPECT_NEAR(signed180(a.direction - b.direction), 0.0, 0.05);
            }
        }
    }
}
