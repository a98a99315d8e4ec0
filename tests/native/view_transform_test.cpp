#include "mapview/view_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vornel {
namespace {

constexpr int W = 801, H = 601;  // odd sizes: the halves are 400 and 300

MapView viewAt(int zoom, int panX = 0, int panY = 0) {
    MapView v;
    v.zoom = zoom;
    v.panX = panX;
    v.panY = panY;
    return v;
}

TEST(ContourTransform, MetresToPixelsTruncateTowardZero) {
    const MapView v = viewAt(256);
    const DataCentre c{1000.0f, 2000.0f};
    EXPECT_EQ(contourToPixel(1000 + 2560, 2000, v, c, W, H).x, 410);
    EXPECT_EQ(contourToPixel(1000 + 255, 2000, v, c, W, H).x, 400);
    EXPECT_EQ(contourToPixel(1000 - 255, 2000, v, c, W, H).x, 400);  // not 399
    EXPECT_EQ(contourToPixel(1000 - 2560, 2000, v, c, W, H).x, 390);
    EXPECT_EQ(contourToPixel(1000, 2000 + 2560, v, c, W, H).y, 290);  // north is up
    EXPECT_EQ(contourToPixel(1000, 2000 - 300, v, c, W, H).y, 301);
    const MapView panned = viewAt(256, -7, 5);
    const PixelPoint p = contourToPixel(1000 + 2560, 2000 + 2560, panned, c, W, H);
    EXPECT_EQ(p.x, 403);
    EXPECT_EQ(p.y, 295);
    const PixelPoint q = pointToPixel(1000.0 + 2560, 2000.0 + 2560, panned, c, W, H);
    EXPECT_EQ(q.x, 403);
    EXPECT_EQ(q.y, 295);
}

TEST(ContourTransform, StorePointsDifferInFloatEstimationPointsInDouble) {
    const MapView v = viewAt(1);
    // 3e7 − 0.3 rounds to 3e7 in float; in double it would be 29999999.7.
    EXPECT_EQ(contourToPixel(3.0e7f, 0, v, DataCentre{0.3f, 0}, 0, 0).x, 30000000);
    // The float centre 0.1f is widened: 256.1 − 0.1000000015 stays below 256.1.
    const MapView v256 = viewAt(256);
    EXPECT_EQ(pointToPixel(256.1, 0, v256, DataCentre{0.1f, 0}, 0, 0).x, 0);
    EXPECT_EQ(pointToPixel(256.1000001, 0, v256, DataCentre{0.1f, 0}, 0, 0).x, 1);
}

TEST(ContourTransform, PixelsToPlaneAsThePickFormsThem) {
    const DataCentre c{0.25f, 0.25f};
    const MapView v = viewAt(1);
    // (x − panX − W/2)·zoom east, (panY + H/2 − y)·zoom north.
    PlanePoint p = contourPixelToPlane(410, 290, v, c, W, H);
    EXPECT_DOUBLE_EQ(p.east, 10.25);
    EXPECT_DOUBLE_EQ(p.north, 10.25);
    // The north sum is single precision: at 10,000,001 m the quarter is lost,
    // the east sum keeps it.
    p = contourPixelToPlane(400 + 10000001, 300 - 10000001, v, c, W, H);
    EXPECT_DOUBLE_EQ(p.east, 10000001.25);
    EXPECT_DOUBLE_EQ(p.north, 10000001.0);
    // The product does not wrap past 2^31.
    p = contourPixelToPlane(400 + 3000000, 300, viewAt(1024), DataCentre{}, W, H);
    EXPECT_DOUBLE_EQ(p.east, 3000000.0 * 1024);
    // Back to the same pixel at every zoom.
    for (int zoom = 1; zoom <= 1024; zoom *= 2) {
        const MapView z = viewAt(zoom, 3, -2);
        const DataCentre centre{-51234.5f, 20480.0f};
        const PlanePoint q = contourPixelToPlane(123, 456, z, centre, W, H);
        const PixelPoint back = pointToPixel(q.east, q.north, z, centre, W, H);
        EXPECT_EQ(back.x, 123) << zoom;
        EXPECT_EQ(back.y, 456) << zoom;
    }
}

TEST(ContourTransform, GarbageCoordinatesStayInRange) {
    const MapView v = viewAt(1, 100, 100);
    const DataCentre c{};
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(contourToPixel(inf, -inf, v, c, W, H).x, 400 + kPixelLimit + 100);
    EXPECT_EQ(contourToPixel(inf, -inf, v, c, W, H).y, 300 + kPixelLimit + 100);
    EXPECT_EQ(contourToPixel(-3e38f, 0, v, c, W, H).x, 400 - kPixelLimit + 100);
    EXPECT_EQ(pointToPixel(std::nan(""), 0, v, c, W, H).x, 400 + kPixelLimit + 100);
    EXPECT_EQ(contourToPixel(5, 5, viewAt(0), c, W, H).x, 400 + kPixelLimit);  // zoom 0 never divides into UB
}

TEST(OverviewTransform, CentreAndDegreesPerPixel) {
    MapView v = viewAt(256);
    PixelPoint p = overviewToPixel(37, 137, v, W, H);
    EXPECT_EQ(p.x, 401);  // trunc(400.5 + 0.5)
    EXPECT_EQ(p.y, 301);
    p = overviewToPixel(37, 138, v, 800, 600);
    EXPECT_EQ(p.x, 400 + 40);
    p = overviewToPixel(38, 137, v, 800, 600);
    EXPECT_EQ(p.y, 300 - 60);
    v.panX = -11;
    v.panY = 4;
    p = overviewToPixel(38, 138, v, 800, 600);
    EXPECT_EQ(p.x, 440 - 11);
    EXPECT_EQ(p.y, 240 + 4);
    p = overviewToPixelUnpanned(38, 138, v.zoom, 800, 600);
    EXPECT_EQ(p.x, 440);
    EXPECT_EQ(p.y, 240);
    const GeoPoint g = overviewPixelToGeo(440 - 11, 240 + 4, v, 800, 600);
    EXPECT_DOUBLE_EQ(g.lat, 38);
    EXPECT_DOUBLE_EQ(g.lon, 138);
}

TEST(OverviewTransform, ScaleStepsBottomOutAtZoomEight) {
    EXPECT_EQ(overviewScale(1024), 128);
    EXPECT_EQ(overviewScale(16), 2);
    for (int zoom : {8, 4, 2, 1}) {
        EXPECT_EQ(overviewScale(zoom), 1);
        EXPECT_DOUBLE_EQ(overviewLonStep(zoom), 1.0 / 1280);
        EXPECT_DOUBLE_EQ(overviewLatStep(zoom), 1.0 / 1920);
        EXPECT_EQ(overviewToPixel(37, 138, viewAt(zoom), 800, 600).x, 400 + 1280);
    }
    EXPECT_EQ(overviewToPixel(37, 138, viewAt(16), 800, 600).x, 400 + 640);
}

TEST(Zoom, LimitsAndOverviewPanRule) {
    MapView v = viewAt(1, 5, 6);
    EXPECT_FALSE(zoomIn(v, true));
    EXPECT_EQ(v.zoom, 1);
    EXPECT_EQ(v.panX, 5);
    int steps = 0;
    while (zoomOut(v, false)) ++steps;
    EXPECT_EQ(steps, 10);
    EXPECT_EQ(v.zoom, 1024);
    EXPECT_EQ(v.panX, 5);  // contour views: pans untouched
    EXPECT_FALSE(zoomOut(v, true));
    EXPECT_EQ(v.zoom, 1024);
    EXPECT_EQ(v.panX, 5);

    v = viewAt(256, -3, 7);
    EXPECT_TRUE(zoomOut(v, true));
    EXPECT_EQ(v.zoom, 512);
    EXPECT_EQ(v.panX, -1);  // toward zero
    EXPECT_EQ(v.panY, 3);
    EXPECT_TRUE(zoomIn(v, true));
    EXPECT_EQ(v.zoom, 256);
    EXPECT_EQ(v.panX, -2);
    EXPECT_EQ(v.panY, 6);

    v = viewAt(0);  // corrupt state is refused both ways instead of running away
    EXPECT_FALSE(zoomOut(v, true));
    EXPECT_FALSE(zoomIn(v, true));
    v = viewAt(2, kPixelLimit - 1, -kPixelLimit + 1);
    EXPECT_TRUE(zoomIn(v, true));
    EXPECT_EQ(v.panX, kPixelLimit);
    EXPECT_EQ(v.panY, -kPixelLimit);
}

TEST(Zoom, OverviewWindowCentreStaysPut) {
    // A point panned onto the window centre stays there through a zoom step
    // (above zoom 8, where the scale follows zoom).
    MapView v = viewAt(256, 80, -40);
    const GeoPoint before = overviewPixelToGeo(400, 300, v, 800, 600);
    ASSERT_TRUE(zoomIn(v, true));
    const GeoPoint after = overviewPixelToGeo(400, 300, v, 800, 600);
    EXPECT_DOUBLE_EQ(after.lat, before.lat);
    EXPECT_DOUBLE_EQ(after.lon, before.lon);
}

TEST(Pan, ContourPanMovesTheContentByThePixels) {
    MapView v = viewAt(4);
    DataCentre c{5000.0f, -3000.0f};
    const PixelPoint before = contourToPixel(5100.0f, -2900.0f, v, c, W, H);
    panView(v, c, false, 7, -3);
    EXPECT_FLOAT_EQ(c.centreEast, 5000.0f - 28);
    EXPECT_FLOAT_EQ(c.centreNorth, -3000.0f - 12);
    EXPECT_EQ(v.panX, 0);
    EXPECT_EQ(v.panY, 0);
    const PixelPoint after = contourToPixel(5100.0f, -2900.0f, v, c, W, H);
    EXPECT_EQ(after.x, before.x + 7);
    EXPECT_EQ(after.y, before.y - 3);

    // A drag in the overview moves the pan offsets and remembers the mouse.
    v = viewAt(256);
    v.lastMouseX = 100;
    v.lastMouseY = 100;
    dragView(v, c, true, 130, 90);
    EXPECT_EQ(v.panX, 30);
    EXPECT_EQ(v.panY, -10);
    EXPECT_EQ(v.lastMouseX, 130);
    EXPECT_EQ(v.lastMouseY, 90);
}

TEST(Pan, CentreOnLastClickBringsThatPointToTheMiddle) {
    MapView v = viewAt(8);
    DataCentre c{100.0f, 200.0f};
    v.lastMouseX = 500;
    v.lastMouseY = 120;
    const PlanePoint clicked = contourPixelToPlane(500, 120, v, c, W, H);
    centreOnLastClick(v, c, false, W, H);
    const PixelPoint now = pointToPixel(clicked.east, clicked.north, v, c, W, H);
    EXPECT_EQ(now.x, W / 2);
    EXPECT_EQ(now.y, H / 2);

    MapView o = viewAt(256);
    o.lastMouseX = 500;
    o.lastMouseY = 120;
    const GeoPoint g = overviewPixelToGeo(500, 120, o, W, H);
    centreOnLastClick(o, c, true, W, H);
    const GeoPoint middle = overviewPixelToGeo(W / 2, H / 2, o, W, H);
    EXPECT_DOUBLE_EQ(middle.lat, g.lat);
    EXPECT_DOUBLE_EQ(middle.lon, g.lon);
}

TEST(Pan, InitialPosition) {
    MapView v = viewAt(256);
    EXPECT_FALSE(resetViewPosition(v, true));  // already there: no redraw
    v = viewAt(32, 10, -20);
    EXPECT_TRUE(resetViewPosition(v, true));
    EXPECT_EQ(v.zoom, 256);
    EXPECT_EQ(v.panX, 0);
    EXPECT_EQ(v.panY, 0);
    const PixelPoint p = overviewToPixel(37, 137, v, 800, 600);
    EXPECT_EQ(p.x, 400);
    EXPECT_EQ(p.y, 300);
    v = viewAt(32, 10, -20);
    EXPECT_FALSE(resetViewPosition(v, false));  // contour views: pans only, no redraw
    EXPECT_EQ(v.zoom, 32);
    EXPECT_EQ(v.panX, 0);
    EXPECT_EQ(v.panY, 0);
}

}  // namespace
}  // namespace vornel
