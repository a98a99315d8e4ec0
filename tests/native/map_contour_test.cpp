// Contour views: colours by depth, the M7000 level filter, clipping of
// segments outside the window, batching, and the scale bar.
#include <string>

#include "map_paint_support.h"
#include "mapview/contour_paint.h"
#include "mapview/line_batch.h"
#include "mapview/map_paint.h"
#include "mapview/pen_palette.h"
#include "mapview/scale_bar.h"

namespace vornel {
namespace {

using MapContour = MapPaintTest;

TEST_F(MapContour, PaletteCoversNamedGreysDepthsAndWhiteElsewhere) {
    EXPECT_EQ(createIndexedPen(PenStyle::Dot, 3, 13, appState().depthColourTable),
              (Pen{{116, 80, 48}, 3, PenStyle::Dot}));
    EXPECT_EQ(paletteColour(0, appState().depthColourTable), (Colour{0, 0, 0}));
    EXPECT_EQ(paletteColour(7, appState().depthColourTable), (Colour{255, 255, 255}));
    EXPECT_EQ(paletteColour(33, appState().depthColourTable), (Colour{128, 128, 0}));
    EXPECT_EQ(paletteColour(100, appState().depthColourTable), (Colour{255, 255, 255}));
    EXPECT_EQ(paletteColour(105, appState().depthColourTable), (Colour{155, 155, 155}));
    EXPECT_EQ(paletteColour(110, appState().depthColourTable), (Colour{55, 55, 55}));
    EXPECT_EQ(paletteColour(111, appState().depthColourTable), (Colour{255, 255, 255}));
    EXPECT_EQ(paletteColour(200, appState().depthColourTable), (Colour{0, 0, 128}));
    EXPECT_EQ(paletteColour(455, appState().depthColourTable), (Colour{255, 0, 255}));
    EXPECT_EQ(paletteColour(456, appState().depthColourTable), (Colour{255, 255, 255}));
    EXPECT_EQ(paletteColour(-1, appState().depthColourTable), (Colour{255, 255, 255}));
}

TEST_F(MapContour, LinesAreColouredByDepthWithTheBrownRuleOnlyInTheChartView) {
    const float depths[] = {2.4f, 50.0f, 700.0f, 900.0f, 0.0f, -3.0f};
    for (int i = 0; i < 6; ++i) addLine(depths[i], {{-100.0f, float(i * 10)}, {100.0f, float(i * 10)}});

    const Colour brown{116, 80, 48}, red{255, 0, 0};
    const Colour chart[] = {tableColour(0), tableColour(20), tableColour(255), brown, red, red};
    const Colour m7000[] = {tableColour(0), tableColour(20), tableColour(255), tableColour(255), red, red};
    ASSERT_EQ(tableColour(0), (Colour{0, 0, 128}));
    for (int mode : {int(VIEW_CONTOUR), int(VIEW_M7000)}) {
        RecordingCanvas canvas;
        drawStoreContours(canvas, appState(), W, H, mode);
        const auto runs = polylines(canvas);
        ASSERT_EQ(runs.size(), 6u);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(runs[i].pen.colour, (mode == VIEW_CONTOUR ? chart : m7000)[i]) << mode << " line " << i;
            EXPECT_EQ(runs[i].pen.width, 1);
            EXPECT_EQ(runs[i].points, (std::vector<PixelPoint>{{300, 300 - i * 10}, {500, 300 - i * 10}}));
        }
    }
    EXPECT_EQ(depthColourIndex(2.49, VIEW_CONTOUR), 200);
    EXPECT_EQ(depthColourIndex(2.5, VIEW_CONTOUR), 201);
    EXPECT_EQ(depthColourIndex(899.9, VIEW_CONTOUR), 455);
}

TEST_F(MapContour, PenChangesOnlyAtColourChangesAndLinesStartAtRemainderOne) {
    addLine(10.0f, {{0, 0}, {10, 0}});
    addLine(10.0f, {{0, 5}, {10, 5}});
    addLine(20.0f, {{0, 9}, {10, 9}});
    // 11 also starts a line (remainder 1); -9 does not.
    contourStore().points[2].lineStart = 11;
    contourStore().points[4].lineStart = -9;
    RecordingCanvas canvas;
    drawStoreContours(canvas, appState(), W, H, VIEW_CONTOUR);
    int pens = 0;
    for (const auto& call : canvas.calls) pens += call.kind == RecordingCanvas::Kind::SetPen;
    EXPECT_EQ(pens, 1);  // the 20 m "line" continues the second 10 m line
    const auto runs = polylines(canvas);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].points, (std::vector<PixelPoint>{{400, 295}, {410, 295}, {400, 291}, {410, 291}}));
}

TEST_F(MapContour, M7000LevelFilterFollowsTheZoom) {
    EXPECT_EQ(m7000LevelStep(16), 0);
    EXPECT_EQ(m7000LevelStep(32), 5);
    EXPECT_EQ(m7000LevelStep(64), 10);
    EXPECT_EQ(m7000LevelStep(128), 20);
    EXPECT_EQ(m7000LevelStep(1024), 20);

    for (float d : {10.0f, 15.0f, 20.0f, 999.0f, 998.6f, 0.0f, -5.0f}) addLine(d, {{-640, 0}, {640, 0}});
    auto shownDepths = [&](int zoom) {
        appState().mapView.zoom = zoom;
        RecordingCanvas canvas;
        drawStoreContours(canvas, appState(), W, H, VIEW_M7000);
        std::vector<Colour> colours;
        for (const auto& run : polylines(canvas)) colours.push_back(run.pen.colour);
        return colours;
    };
    const Colour red{255, 0, 0};
    // 15 m is off the 10 m step; 999 m (also 998.6 rounded) always shows.
    EXPECT_EQ(shownDepths(64),
              (std::vector<Colour>{tableColour(4), tableColour(8), tableColour(255), tableColour(255), red, red}));
    EXPECT_EQ(shownDepths(16).size(), 7u);
    EXPECT_EQ(shownDepths(128).size(), 5u);  // 10 m goes too
}

TEST_F(MapContour, SegmentsWhollyOutsideTheWindowAreSkippedInBothViews) {
    // Out to the left, back in: the re-entry starts at the last outside point.
    addLine(10.0f, {{0, 0}, {-500, 0}, {-600, 10}, {-500, 20}, {0, 20}});
    addLine(10.0f, {{-900, 0}, {-950, 0}});       // never visible
    addLine(10.0f, {{0, 50}, {0, 50}, {5, 50}});  // a zero-length step
    for (int mode : {int(VIEW_CONTOUR), int(VIEW_M7000)}) {
        RecordingCanvas canvas;
        drawStoreContours(canvas, appState(), W, H, mode);
        const auto runs = polylines(canvas);
        ASSERT_EQ(runs.size(), 3u) << mode;
        EXPECT_EQ(runs[0].points, (std::vector<PixelPoint>{{400, 300}, {-100, 300}}));
        EXPECT_EQ(runs[1].points, (std::vector<PixelPoint>{{-100, 280}, {400, 280}}));
        EXPECT_EQ(runs[2].points, (std::vector<PixelPoint>{{400, 250}, {405, 250}}));
    }
}

TEST_F(MapContour, AnInvalidStoreDrawsOnlyTheScaleBar) {
    addLine(10.0f, {{0, 0}, {10, 0}});
    contourStore().contourStoreValid = 0;
    RecordingCanvas canvas;
    drawM7000Contours(canvas, appState(), W, H);
    EXPECT_TRUE(polylines(canvas).empty());
    EXPECT_EQ(lines(canvas).size(), 3u);
}

TEST_F(MapContour, BatchSplitsLongRunsWithoutLosingAVertex) {
    RecordingCanvas canvas;
    constexpr int kPoints = 20000;
    {
        LineBatch batch(canvas);
        batch.setPen(Pen{});
        batch.moveTo({0, 0});
        for (int i = 1; i < kPoints; ++i) batch.lineTo({i, i % 7});
        batch.moveTo({5, 5});  // a lone move draws nothing
    }
    std::vector<PixelPoint> joined;
    for (const auto& run : polylines(canvas)) {
        ASSERT_GE(run.points.size(), 2u);
        if (!joined.empty()) {
            EXPECT_EQ(run.points.front(), joined.back());  // a split repeats the vertex
            joined.pop_back();
        }
        joined.insert(joined.end(), run.points.begin(), run.points.end());
    }
    ASSERT_EQ(joined.size(), std::size_t(kPoints));
    for (int i = 0; i < kPoints; ++i) ASSERT_EQ(joined[i], (PixelPoint{i, i % 7}));
}

TEST_F(MapContour, ScaleBarAtEveryZoom) {
    struct Row {
        int zoom, metres, pixels;
    };
    // 4000 m at 64 m per pixel is 62.5 pixels, rounded half up to 63.
    const Row rows[] = {{1, 50, 50},      {2, 100, 50},     {4, 200, 50},     {8, 400, 50},
                        {16, 800, 50},    {32, 2000, 63},   {64, 4000, 63},   {128, 7000, 55},
                        {256, 10000, 39}, {512, 10000, 20}, {1024, 10000, 10}};
    for (const Row& row : rows) {
        const ScaleBarLength bar = scaleBarLength(row.zoom);
        EXPECT_EQ(bar.metres, row.metres) << row.zoom;
        EXPECT_EQ(bar.pixels, row.pixels) << row.zoom;
    }

    appState().mapView.zoom = 128;
    appState().mapView.panX = 3;
    appState().mapView.panY = -2;
    RecordingCanvas canvas;
    drawScaleBar(canvas, appState(), W, H);
    const auto drawn = lines(canvas);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].pen, (Pen{{0, 0, 0}, 2, PenStyle::Solid}));
    EXPECT_EQ(drawn[0].points, (std::vector<PixelPoint>{{800 - 55 - 25 + 3, 578}, {778, 578}}));
    EXPECT_EQ(drawn[1].pen.width, 1);
    EXPECT_EQ(drawn[1].points, (std::vector<PixelPoint>{{723, 573}, {723, 583}}));
    EXPECT_EQ(drawn[2].points, (std::vector<PixelPoint>{{778, 573}, {778, 583}}));
    const auto& label = canvas.calls.back();
    ASSERT_EQ(label.kind, RecordingCanvas::Kind::Text);
    EXPECT_EQ(label.text, L"7000m");
    EXPECT_EQ(label.points[0], (PixelPoint{800 - 27 - 25 + 3, 600 - 22 - 2}));
    EXPECT_EQ(label.font, (Font{12, 6, true}));
    EXPECT_EQ(label.align, TextAlign::Centre);
    EXPECT_EQ(label.baseline, TextBaseline::Bottom);
    EXPECT_EQ(label.colour, (Colour{0, 0, 0}));
}

}  // namespace
}  // namespace vornel
