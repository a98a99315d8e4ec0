#include "geodesy/axis_fit.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "bathymetry/contour_store.h"

namespace vornel {
namespace {

using Vertex = std::pair<float, float>;  // east, north

void addContour(float depth, std::initializer_list<Vertex> vertices) {
    ContourStore& store = contourStore();
    int start = 1;
    for (const auto& [e, n] : vertices) {
        store.points[store.contourPointCount++] = ContourPoint{e, n, depth, 0, start};
        start = 0;
    }
}

// A short segment through (east, 0) that does not reach the meridian east = 0.
void addCrossingOfParallel(float depth, float east, float shift = 0) {
    addContour(depth, {{shift + east - 5, -50}, {shift + east + 5, 50}});
}

class AxisFit : public ::testing::Test {
protected:
    void SetUp() override { resetContourStore(); }
    void TearDown() override { resetContourStore(); }
};

constexpr double kFourPointFit = 9.6071517;

TEST(FitQuadratic, RecoversAParabolaAndFitsFourPoints) {
    const double t[4] = {1, 2, 4, 7};
    double d[4];
    for (int j = 0; j < 4; ++j) d[j] = 2 * t[j] * t[j] - 3 * t[j] + 5;
    double a = 0, b = 0, c = 0;
    ASSERT_TRUE(fitQuadratic(t, d, a, b, c));
    EXPECT_NEAR(a, 2, 1e-9);
    EXPECT_NEAR(b, -3, 1e-9);
    EXPECT_NEAR(c, 5, 1e-9);

    const double t2[4] = {-30, -10, 15, 40}, d2[4] = {5, 10, 10, 15};
    ASSERT_TRUE(fitQuadratic(t2, d2, a, b, c));
    EXPECT_NEAR(c, kFourPointFit, 1e-7);
}

TEST(FitQuadratic, RefusesTwoDistinctPositions) {
    const double t[4] = {3, 3, 8, 8}, d[4] = {1, 2, 3, 4};
    double a = 7, b = 7, c = 7;
    EXPECT_FALSE(fitQuadratic(t, d, a, b, c));
    EXPECT_EQ(a, 7);
    EXPECT_EQ(c, 7);
}

TEST_F(AxisFit, FitsTheFourCrossingsOfTheParallel) {
    // Nearest crossing at -10 (direction 1), its partner is direction 0.
    addCrossingOfParallel(5, -30);
    addCrossingOfParallel(10, -10);
    addCrossingOfParallel(10, 15);
    addCrossingOfParallel(15, 40);
    double depth = 10;
    depthByAxisFit(0, 0, depth);
    EXPECT_NEAR(depth, kFourPointFit, 1e-6);
}

TEST_F(AxisFit, FitHoldsFarFromTheOrigin) {
    // Plane coordinates of 10^5 m: the sums of t^4 would swamp the fit if
    // it were made in absolute positions.
    const float e0 = 100000;
    addCrossingOfParallel(5, -30, e0);
    addCrossingOfParallel(10, -10, e0);
    addCrossingOfParallel(10, 15, e0);
    addCrossingOfParallel(15, 40, e0);
    double depth = 10;
    depthByAxisFit(e0, 0, depth);
    EXPECT_NEAR(depth, kFourPointFit, 1e-6);
}

TEST_F(AxisFit, SharedVertexOnTheParallelCountsOnce) {
    // The 10 m contour turns at (-10, 0): both of its segments meet the
    // parallel there. Counted twice it would push the -30 crossing out.
    addCrossingOfParallel(5, -30);
    addContour(10, {{-15, -50}, {-10, 0}, {-15, 50}});
    addCrossingOfParallel(10, 15);
    addCrossingOfParallel(15, 40);
    double depth = 10;
    depthByAxisFit(0, 0, depth);
    EXPECT_NEAR(depth, kFourPointFit, 1e-6);
}

TEST_F(AxisFit, FlatLeavesTheDepthAlone) {
    // Two crossings in every direction, within 0.5 m of each other.
    addContour(10, {{-100, -100}, {100, -90}, {90, 100}, {-90, 90}, {-100, -100}});
    addContour(10.4f, {{-200, -200}, {200, -190}, {190, 200}, {-190, 190}, {-200, -200}});
    double depth = 42;
    depthByAxisFit(0, 0, depth);
    EXPECT_EQ(depth, 42);
}

TEST_F(AxisFit, MissingCrossingFallsBackToTheNearestCrossing) {
    // One closed contour: every direction has one crossing and an empty
    // slot, so no parabola can be made; the nearest crossing's depth stands.
    addContour(10, {{-100, -100}, {100, -90}, {90, 100}, {-90, 90}, {-100, -100}});
    double depth = 42;
    depthByAxisFit(0, 0, depth);
    EXPECT_EQ(depth, 10);
}

TEST_F(AxisFit, SteepSegmentGivesNoCrossing) {
    // The 10 m segment runs north-south at east 5: it is not seen, so the
    // nearest crossing east is the 20 m one.
    addContour(10, {{5, -50}, {5.04f, 50}});
    addCrossingOfParallel(20, 20);
    double depth = 42;
    depthByAxisFit(0, 0, depth);
    EXPECT_EQ(depth, 20);
}

TEST_F(AxisFit, NoFitOnALineOfOneDepthGivesNoEstimate) {
    // Along the parallel both sides see two 10 m crossings; the slope is only
    // along the meridian, which is not the nearest line.
    for (float e : {-8.f, -5.f, 5.f, 8.f}) addContour(10, {{e - 2, -50}, {e + 2, 50}});
    for (float n : {-40.f, 40.f}) addContour(20, {{-100, n}, {100, n}});
    for (float n : {-20.f, 20.f}) addContour(10, {{-100, n}, {100, n}});
    double depth = 10;
    depthByAxisFit(0, 0, depth);
    EXPECT_EQ(depth, kNoDepthEstimate);
}

}  // namespace
}  // namespace vornel
