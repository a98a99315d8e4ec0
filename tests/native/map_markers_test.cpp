// The estimation points over a contour view.
#include <cmath>

#include "map_paint_support.h"
#include "mapview/point_markers.h"
#include "shell/map_marks.h"

namespace vornel {
namespace {

class MapMarkers : public MapPaintTest {
protected:
    void SetUp() override {
        MapPaintTest::SetUp();
        appState().viewMode = VIEW_CONTOUR;
        appState().mapView.zoom = 4;
        contourStore().dataCentre = {1000.0f, 2000.0f};
    }
    // A valid point at plane (east, north).
    static void place(EstimationPoint& p, double east, double north) {
        p.lat = 35.0;
        p.lon = 139.0;
        p.east = east;
        p.north = north;
    }
    static std::vector<PixelPoint> seg(int x1, int y1, int x2, int y2) { return {{x1, y1}, {x2, y2}}; }
};

TEST_F(MapMarkers, AllFourPointsWithTheirSymbolsLinesAndDirections) {
    EstimationParams& params = estimationParams();
    place(params.quasiOffshorePoint, 1000.0 + 400, 2000.0 - 200);  // (500, 350)
    place(params.diffractionPoint, 1000.0 - 40, 2000.0 + 80);      // (390, 280)
    params.shoreNormal = 0.0;
    place(params.contourPoint, 1000.0 + 10, 2000.0);  // (402, 300)
    params.thetaCon = 90.0;
    place(params.offshorePoint, 1000.0 - 2.5, 2000.0 + 3.9);  // truncation: (400, 300)
    appState().mapView.panX = 5;
    appState().mapView.panY = 10;

    RecordingCanvas canvas;
    drawPointMarkers(canvas, appState(), markedPoints(estimationParams()), W, H);
    const auto drawn = lines(canvas);
    ASSERT_EQ(drawn.size(), 11u);
    const Pen red{{255, 0, 0}, 1, PenStyle::Solid}, green{{0, 255, 0}, 1, PenStyle::Solid};
    const Pen magenta{{255, 0, 255}, 1, PenStyle::Solid}, blue{{0, 0, 255}, 1, PenStyle::Solid};
    // Red diagonal cross at (505, 360) with the pan.
    EXPECT_EQ(drawn[0].pen, red);
    EXPECT_EQ(drawn[0].points, seg(495, 350, 515, 370));
    EXPECT_EQ(drawn[1].points, seg(495, 370, 515, 350));
    // Grey line centre to centre, 3 px.
    EXPECT_EQ(drawn[2].pen, (Pen{{135, 135, 135}, 3, PenStyle::Solid}));
    EXPECT_EQ(drawn[2].points, seg(505, 360, 395, 290));
    // Green cross at (395, 290); shore normal 0 points up: 30 below to 60 above.
    EXPECT_EQ(drawn[3].pen, green);
    EXPECT_EQ(drawn[3].points, seg(385, 290, 405, 290));
    EXPECT_EQ(drawn[4].points, seg(395, 280, 395, 300));
    EXPECT_EQ(drawn[5].pen, (Pen{{0, 255, 0}, 1, PenStyle::Dot}));
    EXPECT_EQ(drawn[5].points, seg(395, 320, 395, 230));
    // Magenta at (407, 310); θcon 90 points right: 30 left to 60 right.
    EXPECT_EQ(drawn[6].pen, magenta);
    EXPECT_EQ(drawn[6].points, seg(397, 310, 417, 310));
    EXPECT_EQ(drawn[8].pen, (Pen{{255, 0, 255}, 1, PenStyle::Dot}));
    EXPECT_EQ(drawn[8].points, seg(377, 310, 467, 310));
    // Blue at (405, 310), no direction line.
    EXPECT_EQ(drawn[9].pen, blue);
    EXPECT_EQ(drawn[9].points, seg(395, 310, 415, 310));

    std::vector<RecordingCanvas::Call> arcs;
    for (const auto& c : canvas.calls)
        if (c.kind == RecordingCanvas::Kind::Arc) arcs.push_back(c);
    ASSERT_EQ(arcs.size(), 3u);
    EXPECT_EQ(arcs[0].box[0], 392);
    EXPECT_EQ(arcs[0].box[1], 287);
    EXPECT_EQ(arcs[0].box[2], 398);
    EXPECT_EQ(arcs[0].box[3], 293);
    EXPECT_EQ(arcs[0].points, seg(398, 290, 398, 290));
}

TEST_F(MapMarkers, DiffractionAloneHasNoGreyLineAndUnsetPointsDrawNothing) {
    EstimationParams& params = estimationParams();
    place(params.diffractionPoint, 1000.0, 2000.0);
    params.shoreNormal = 90.0;
    // Plane coordinates alone do not make a point.
    params.quasiOffshorePoint.east = 1100.0;
    params.offshorePoint.east = 900.0;
    params.offshorePoint.lat = 35.0;  // longitude still unset
    RecordingCanvas canvas;
    drawPointMarkers(canvas, appState(), markedPoints(estimationParams()), W, H);
    const auto drawn = lines(canvas);
    ASSERT_EQ(drawn.size(), 3u);
    for (const auto& l : drawn) EXPECT_EQ(l.pen.colour, (Colour{0, 255, 0}));
    EXPECT_EQ(drawn[2].points, seg(370, 300, 460, 300));
}

TEST_F(MapMarkers, AnUnsetDirectionDrawsNoDirectionLine) {
    EstimationParams& params = estimationParams();
    place(params.contourPoint, 1000.0, 2000.0);
    RecordingCanvas canvas;
    drawPointMarkers(canvas, appState(), markedPoints(estimationParams()), W, H);
    EXPECT_EQ(lines(canvas).size(), 2u);  // the cross only
    for (const auto& c : canvas.calls) {
        if (c.kind == RecordingCanvas::Kind::SetPen) {
            EXPECT_EQ(c.pen.style, PenStyle::Solid);
        }
    }

    // Oblique directions truncate each component toward zero.
    RecordingCanvas oblique;
    drawDirectionLine(oblique, appState(), 100, 100, 5, 135.0);
    const int d = static_cast<int>(std::trunc(std::cos(45.0 * 0.017453292519943295) * 30.0));
    EXPECT_EQ(lines(oblique)[0].points, seg(100 - d, 100 - d, 100 + 2 * d, 100 + 2 * d));
}

}  // namespace
}  // namespace vornel
