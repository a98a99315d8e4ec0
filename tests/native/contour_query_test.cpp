#include "geodesy/contour_query.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <random>
#include <utility>

#include "bathymetry/contour_store.h"
#include "geodesy/contour_scan.h"
#include "mapview/map_pick.h"
#include "shell/app_state.h"
#include "support/recording_canvas.h"

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

// A closed contour around the origin, crossing the axes at ±r with no edge
// along an axis; its edges nearest the origin lie about 0.98·r away.
void addRing(float depth, float r) {
    const float a = 0.9f * r, b = 1.1f * r, h = 0.5f * r;
    addContour(depth, {{a, -h}, {b, h}, {h, b}, {-h, a}, {-b, h}, {-a, -h}, {-h, -b}, {h, -a}, {a, -h}});
}

double angleBetween(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

class ContourQuery : public ::testing::Test {
protected:
    void SetUp() override {
        resetContourStore();
        resetAppState();
    }
    void TearDown() override {
        resetContourStore();
        resetAppState();
    }
};

TEST_F(ContourQuery, SingleContourInterpolatesAgainstTheEmptySide) {
    addContour(10, {{100, -50}, {100, 50}});
    const NearestContourPoints near = nearestContourPoints(0, 0);
    for (int q : {0, 3}) {
        EXPECT_EQ(near.quadrant[q].distance, 100) << q;
        EXPECT_EQ(near.quadrant[q].east, 100);
        EXPECT_EQ(near.quadrant[q].north, 0);
    }
    EXPECT_FALSE(near.quadrant[1].found());
    EXPECT_EQ(near.quadrant[2].depth, kNoContourDepth);
    EXPECT_FALSE(near.diagonalsAgree);

    PointQuery query;
    ASSERT_EQ(estimatePointDepth(0, 0, query), 1);
    EXPECT_NEAR(query.entry[0].depth, 100.0 / 100100.0 * 9989.0 + 10.0, 1e-9);
    EXPECT_NEAR(query.entry[0].depth, 19.979, 0.001);
    EXPECT_EQ(query.entry[1].east, 100);
    EXPECT_EQ(query.entry[1].north, 0);
    EXPECT_EQ(query.entry[1].depth, 10);
    EXPECT_EQ(query.primaryDirection, 360);
    EXPECT_EQ(query.meanDirection, 90);
}

TEST_F(ContourQuery, TwoContoursInterpolateByDistance) {
    addContour(10, {{-50, -1000}, {-50, 1000}});
    addContour(20, {{150, -1000}, {150, 1000}});
    PointQuery query;
    ASSERT_EQ(estimatePointDepth(0, 0, query), 1);
    EXPECT_DOUBLE_EQ(query.entry[0].depth, 12.5);
    EXPECT_EQ(query.entry[1].east, -50);
    EXPECT_EQ(query.entry[1].depth, 10);
    EXPECT_NEAR(query.primaryDirection, 0, 1e-9);  // east, towards the 20 m contour
}

TEST_F(ContourQuery, QueryOnAVertexFindsItInTheFirstQuadrant) {
    addContour(10, {{0, 0}, {30, 40}, {70, 45}});
    const NearestContourPoints near = nearestContourPoints(30, 40);
    EXPECT_EQ(near.quadrant[0].distance, 0);
    EXPECT_EQ(near.quadrant[0].east, 30);
    EXPECT_EQ(near.quadrant[0].north, 40);
}

TEST_F(ContourQuery, ClosedContourGoesToTheAxisFit) {
    addRing(10, 100);
    PointQuery query;
    ASSERT_EQ(estimatePointDepth(0, 0, query), 1);
    EXPECT_TRUE(nearestContourPoints(0, 0).diagonalsAgree);
    EXPECT_EQ(query.entry[0].depth, 10);

    // A shoal: the parabola through 10 m at ±100 and 20 m at ±200 has its
    // top at 20/3 m, shallower than the nearest contour.
    addRing(20, 200);
    ASSERT_EQ(estimatePointDepth(0, 0, query), 1);
    EXPECT_NEAR(query.entry[0].depth, 20.0 / 3.0, 1e-4);
    EXPECT_EQ(query.entry[1].depth, 10);
}

TEST_F(ContourQuery, OnAFlatTheLineThroughTheNearestContourDecides) {
    // Inside the 10 m ring every quadrant sees 10 m; the 20 m ring is nearer
    // on the side of the nearest point, so deeper water lies that way.
    addRing(10, 100);
    addRing(20, 200);
    const double eastEdgeNormal = 360 - std::atan2(20.0, 100.0) * 57.29577951308232;
    EXPECT_NEAR(contourDirection(60, 0).primaryDirection, eastEdgeNormal, 0.01);
    EXPECT_NEAR(contourDirection(-60, 0).primaryDirection, 540 - eastEdgeNormal, 0.01);
}

TEST_F(ContourQuery, FlatWithTheNearestPointStraightNorth) {
    // The nearest point (0, 100) lies due north of P: the line through both
    // has no slope and is the meridian, which meets the 20 m contour north.
    addContour(10, {{-100, -100}, {100, -100}, {100, 100}, {-100, 100}, {-100, -100}});
    addContour(20, {{-300, 150}, {300, 150}});
    addContour(20, {{-300, -400}, {300, -400}});
    const ContourDirection dir = contourDirection(0, 60);
    EXPECT_EQ(dir.nearest.quadrant[0].north, 100);
    EXPECT_NEAR(dir.primaryDirection, 90, 1e-9);
}

TEST(ReduceDirections, WrapsAndAveragesTheShortWayRound) {
    struct Case {
        double primary, mean, wantPrimary, wantMean;
    };
    for (const Case& c : {Case{360, 180, 360, 90}, Case{-90, 45, 270, 337.5}, Case{10, 350, 10, 0},
                          Case{350, 10, 350, 360}, Case{725, -370, 5, 357.5}, Case{100, 120, 100, 110}}) {
        double p = c.primary, m = c.mean;
        reduceDirections(p, m);
        EXPECT_DOUBLE_EQ(p, c.wantPrimary) << c.primary << " " << c.mean;
        EXPECT_DOUBLE_EQ(m, c.wantMean) << c.primary << " " << c.mean;
    }
}

TEST_F(ContourQuery, OneQuadrantOnlyGivesTheMeanOfThePrimary) {
    // A contour wholly north-east of P: the other quadrants stay empty.
    addContour(10, {{50, 60}, {80, 90}});
    PointQuery query;
    ASSERT_EQ(estimatePointDepth(0, 0, query), 1);
    EXPECT_TRUE(std::isfinite(query.entry[0].depth));
    EXPECT_EQ(query.meanDirection, query.primaryDirection);
    EXPECT_NEAR(query.primaryDirection, std::atan2(60.0, 50.0) * 57.29577951308232, 1e-9);
}

TEST_F(ContourQuery, EntriesCarryTheirOwnPositionInDegrees) {
    contourStore().projectionOrigin = {35.0, 135.0};
    addContour(10, {{100, -50}, {100, 50}});
    PointQuery query;
    ASSERT_EQ(estimatePointDepth(0, 0, query), 1);
    EXPECT_NEAR(query.entry[0].lat, 35.0, 1e-9);
    EXPECT_NEAR(query.entry[0].lon, 135.0, 1e-9);
    EXPECT_NEAR(query.entry[1].lat, 35.0, 1e-6);  // 100 m east: same latitude,
    EXPECT_GT(query.entry[1].lon, 135.001);       // about 0.0011° of longitude
    EXPECT_LT(query.entry[1].lon, 135.0012);
}

TEST_F(ContourQuery, EmptyStoreAnswersNothing) {
    PointQuery query;
    query.entry[0].depth = 1234;
    EXPECT_EQ(estimatePointDepth(0, 0, query), 0);
    EXPECT_EQ(query.entry[0].depth, 1234);

    mapPick().entry[1].lat = 34.5;
    RecordingCanvas canvas;
    EXPECT_EQ(pickAtScreenPoint(&canvas, appState().mapView, 10, 10, 100, 100, 1), 0);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(mapPick().entry[1].lat, 34.5);
    EXPECT_EQ(mapPick().entry[0].lat, 99.9);
}

TEST_F(ContourQuery, PickDrawsItsMarksAndFillsTheMapPick) {
    addContour(10, {{100, -50}, {100, 50}});
    contourStore().dataCentre = {50, 20};
    appState().mapView.zoom = 10;
    RecordingCanvas canvas;
    // Client 201 × 101: halves 100 and 50. P = ((120-100)·10 + 50, (50-40)·10 + 20) = (250, 120).
    EXPECT_EQ(pickAtScreenPoint(&canvas, appState().mapView, 120, 40, 201, 101, 0), 1);
    ASSERT_EQ(canvas.calls.size(), 5u);
    EXPECT_EQ(canvas.calls[0].pen, (Pen{Colour{0, 0, 0}, 1, PenStyle::Solid}));
    EXPECT_EQ(canvas.calls[1].points, (std::vector<PixelPoint>{{115, 40}, {125, 40}}));
    EXPECT_EQ(canvas.calls[2].points, (std::vector<PixelPoint>{{120, 35}, {120, 45}}));
    EXPECT_EQ(canvas.calls[3].pen, (Pen{Colour{0, 255, 0}, 2, PenStyle::Solid}));
    ASSERT_EQ(canvas.calls[4].kind, RecordingCanvas::Kind::Arc);
    EXPECT_EQ(canvas.calls[4].box[0], 117);
    EXPECT_EQ(canvas.calls[4].box[1], 37);
    EXPECT_EQ(canvas.calls[4].box[2], 123);
    EXPECT_EQ(canvas.calls[4].box[3], 43);
    EXPECT_EQ(canvas.calls[4].points, (std::vector<PixelPoint>{{123, 40}, {123, 40}}));

    const MapPickRecord& pick = mapPick();
    EXPECT_EQ(pick.entry[0].east, 250);
    EXPECT_EQ(pick.entry[0].north, 120);
    EXPECT_EQ(pick.entry[1].east, 100);
    EXPECT_EQ(pick.entry[1].north, 50);  // the contour's north end, nearest to P
    // Only the south-west quadrant holds a contour: towards it.
    EXPECT_NEAR(pick.primaryDirection, 180 + std::atan2(70.0, 150.0) * 57.29577951308232, 1e-9);

    // Placing the diffraction point on a contour deeper than 0.1 m.
    EXPECT_EQ(pickAtScreenPoint(nullptr, appState().mapView, 120, 40, 201, 101, 1), 9);
}

TEST_F(ContourQuery, PickFormsNorthInFloatAndEastInDouble) {
    const float big = 16777216.0f;  // 2^24: float steps of 2 m from here
    addContour(0.05f, {{big, big}, {big + 100, big + 100}});
    contourStore().dataCentre = {big, big};
    appState().mapView.zoom = 1;
    EXPECT_EQ(pickAtScreenPoint(nullptr, appState().mapView, 51, 49, 100, 100, 1), 1);  // contour of 0.05 m: no 9
    EXPECT_EQ(mapPick().entry[0].east, 16777217.0);
    EXPECT_EQ(mapPick().entry[0].north, 16777216.0);
}

// Random stores of long straight parallel contours, depth rising linearly
// across them: between two contours the depth lies between theirs and the
// direction of deeper water is the contours' normal.
TEST_F(ContourQuery, ParallelContoursGiveDepthBetweenAndNormalDirection) {
    std::mt19937 rng(20240601);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int store = 0; store < 40; ++store) {
        resetContourStore();
        const double gradient = unit(rng) * 360.0;  // direction of deeper water
        const double ge = std::cos(gradient / 57.29577951308232), gn = std::sin(gradient / 57.29577951308232);
        const double spacing = 20 + unit(rng) * 200, firstDepth = 1 + unit(rng) * 10, depthStep = 1 + unit(rng) * 9;
        const int lines = 12;
        for (int k = 0; k < lines; ++k) {
            const double offset = (k - lines / 2) * spacing;
            const float depth = float(firstDepth + k * depthStep);
            // 21 vertices along 10 km, centred on the normal through the origin.
            for (int v = 0; v <= 20; ++v) {
                const double along = (v - 10) * 500.0;
                const ContourPoint p{float(offset * ge - along * gn), float(offset * gn + along * ge), depth, 0,
                                     v == 0 ? 1 : 0};
                contourStore().points[contourStore().contourPointCount++] = p;
            }
        }
        for (int trial = 0; trial < 10; ++trial) {
            const int k = 2 + int(unit(rng) * (lines - 5));
            const double across = ((k - lines / 2) + 0.05 + 0.9 * unit(rng)) * spacing;
            const double along = (unit(rng) - 0.5) * 2000.0;
            const double pe = across * ge - along * gn, pn = across * gn + along * ge;
            PointQuery query;
            ASSERT_EQ(estimatePointDepth(pe, pn, query), 1);
            const double lower = float(firstDepth + k * depthStep), upper = float(firstDepth + (k + 1) * depthStep);
            EXPECT_GE(query.entry[0].depth, lower) << store << "/" << trial;
            EXPECT_LE(query.entry[0].depth, upper) << store << "/" << trial;
            EXPECT_LT(angleBetween(query.primaryDirection, gradient), 2.0) << store << "/" << trial;
        }
    }
}

// The bounding shortcuts of the scans must not change any answer, ties and
// degenerate segments included.
TEST_F(ContourQuery, ScanShortcutsKeepEveryAnswer) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int store = 0; store < 30; ++store) {
        resetContourStore();
        ContourStore& s = contourStore();
        const double origin = store % 2 ? 0.0 : 150000.0;
        for (int line = 0; line < 40; ++line) {
            const float depth = float(int(unit(rng) * 6) * 5);
            float e = float(origin + unit(rng) * 2000 - 1000), n = float(unit(rng) * 2000 - 1000);
            for (int v = 0; v < 15; ++v) {
                s.points[s.contourPointCount++] = ContourPoint{e, n, depth, 0, v == 0 ? 1 : 0};
                const double kind = unit(rng);
                // Steps of every kind: north-south, east-west, barely sloped, any.
                const float de = kind < 0.15   ? 0.f
                                 : kind < 0.25 ? 0.00003f
                                 : kind < 0.35 ? 0.03f
                                               : float(unit(rng) * 300 - 150);
                const float dn = kind > 0.9 ? 0.f : float(unit(rng) * 300 - 150);
                e += de;
                n += dn;
            }
        }
        for (int trial = 0; trial < 20; ++trial) {
            double pe = origin + unit(rng) * 2400 - 1200, pn = unit(rng) * 2400 - 1200;
            if (trial % 5 == 0) {  // on a stored point
                const ContourPoint& p = s.points[int(unit(rng) * s.contourPointCount)];
                pe = p.east;
                pn = p.north;
            }
            const NearestContourPoints fast = detail::scanNearest(pe, pn, true);
            const NearestContourPoints full = detail::scanNearest(pe, pn, false);
            for (int q = 0; q < 4; ++q) {
                EXPECT_EQ(fast.quadrant[q].distance, full.quadrant[q].distance);
                EXPECT_EQ(fast.quadrant[q].east, full.quadrant[q].east);
                EXPECT_EQ(fast.quadrant[q].north, full.quadrant[q].north);
                EXPECT_EQ(fast.quadrant[q].depth, full.quadrant[q].depth);
            }
            const int i = int(unit(rng) * 4);
            const double qe = fast.quadrant[i].east, qn = fast.quadrant[i].north;
            for (double ref : {0.0, 5.0, 10.0}) {
                double stepFast = 0.5, stepFull = 0.5;
                detail::scanDepthStep(pe, pn, qe, qn, ref, stepFast, true);
                detail::scanDepthStep(pe, pn, qe, qn, ref, stepFull, false);
                EXPECT_EQ(stepFast, stepFull);
            }
        }
    }
}

}  // namespace
}  // namespace vornel
