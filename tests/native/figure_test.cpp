#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "estimation/response_curves.h"
#include "estimation/response_figure.h"
#include "mapview/plot.h"
#include "support/recording_canvas.h"

namespace vornel {
namespace {

using Kind = RecordingCanvas::Kind;

bool hasText(const RecordingCanvas& c, const std::wstring& text) {
    for (const auto& call : c.calls)
        if (call.kind == Kind::Text && call.text == text) return true;
    return false;
}

TEST(Plot, TicksClippingAndPanel) {
    EXPECT_EQ(roundTicks(0.0, 10.0, 5), (std::vector<double>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(roundTicks(-31.0, 149.0, 8), (std::vector<double>{-20, 0, 20, 40, 60, 80, 100, 120, 140}));
    EXPECT_EQ(roundTicks(0.0, 1.0, 4), (std::vector<double>{0, 0.2, 0.4, 0.6, 0.8, 1.0}));
    EXPECT_TRUE(roundTicks(1.0, 1.0, 5).empty());
    EXPECT_TRUE(roundTicks(0.0, NAN, 5).empty());
    double lo = 0.13, hi = 2.71;
    widenToRoundTicks(lo, hi, 5);
    EXPECT_DOUBLE_EQ(lo, 0.0);
    EXPECT_DOUBLE_EQ(hi, 3.0);
    EXPECT_EQ(tickLabel(2.5, 0.5), L"2.5");
    EXPECT_EQ(tickLabel(40.0, 20.0), L"40");
    EXPECT_EQ(tickLabel(-0.0, 1.0), L"0");

    // Segments are cut to the box; one wholly outside gives nothing.
    double ax = -10, ay = 5, bx = 10, by = 5;
    ASSERT_TRUE(clipSegment(ax, ay, bx, by, 0, 0, 8, 8));
    EXPECT_DOUBLE_EQ(ax, 0.0);
    EXPECT_DOUBLE_EQ(bx, 8.0);
    ax = -10, ay = 20, bx = 10, by = 30;
    EXPECT_FALSE(clipSegment(ax, ay, bx, by, 0, 0, 8, 8));

    // A line leaving the area and a non-finite point break into runs that stay
    // inside; the band is filled inside the area; the axis titles are drawn.
    PlotPanel panel;
    panel.frame = {0, 0, 400, 300};
    panel.x = {0.0, 10.0, L"x [m]", {}};
    panel.y = {0.0, 10.0, L"y [s]", {}};
    panel.bands.push_back({4.0, 6.0, Colour{1, 2, 3}});
    panel.lines.push_back({{0, 2, 4, 6, 8, 10}, {1, 20, 1, NAN, 2, 3}, Pen{Colour{9, 9, 9}, 2, PenStyle::Solid}});
    RecordingCanvas canvas;
    drawPlotPanel(canvas, panel);
    const PixelRect area = plotArea(panel);
    int runs = 0;
    bool bandFilled = false;
    for (std::size_t i = 0; i < canvas.calls.size(); ++i) {
        const auto& call = canvas.calls[i];
        if (call.kind == Kind::Fill && call.colour == Colour{1, 2, 3}) {
            bandFilled = true;
            EXPECT_GT(call.box[0], area.left);
            EXPECT_EQ(call.box[1], axisPixel(panel.y, 6.0, area.bottom, area.top));
            EXPECT_EQ(call.box[3] - 1, axisPixel(panel.y, 4.0, area.bottom, area.top));
        }
        if (call.kind != Kind::Polyline || !(canvas.penAt(i).colour == Colour{9, 9, 9})) continue;
        ++runs;
        for (const PixelPoint& p : call.points) {
            EXPECT_GE(p.y, area.top);
            EXPECT_LE(p.y, area.bottom);
        }
    }
    EXPECT_TRUE(bandFilled);
    EXPECT_EQ(runs, 3);  // up to the top edge, back down from it, and after the gap
    EXPECT_TRUE(hasText(canvas, L"x [m]"));
    EXPECT_TRUE(hasText(canvas, L"y [s]"));
    EXPECT_TRUE(hasText(canvas, L"10"));
}

// A response file as the solver writes it: straight lines direction = θcon +
// 0.5 (θo − θcon), K = 0.9, for two Smax.
std::string responseFile(bool complete) {
    std::string text = "zelvo_v3 response 1.0.0\r\ncandidates 2\r\n10 2.222 80.0 0.95000\r\n75 2.222 80.0 0.99000\r\n";
    text += "curves 6\r\n";
    for (const int smax : {10, 75}) {
        for (const double theta : {-30.5, 59.0, 148.5}) {
            char line[96];
            std::snprintf(line, sizeof line, "%d %.1f %.3f 0.900000 0.90000\r\n", smax, theta,
                          59.0 + 0.5 * (theta - 59.0));
            text += line;
        }
    }
    if (complete) text += "end\r\n";
    return text;
}

ResponseCurves readText(const std::string& text, bool* ok = nullptr) {
    std::FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    ResponseCurves curves;
    LineReader reader(f);
    const bool read = readResponseCurves(reader, curves);
    if (ok) *ok = read;
    std::fclose(f);
    return curves;
}

TEST(ResponseFile, ReadsTheSolversLayoutAndRefusesOthers) {
    bool ok = false;
    const ResponseCurves curves = readText(responseFile(true), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(curves.curves.size(), 2u);
    EXPECT_EQ(curves.curves[1].smax, 75);
    ASSERT_EQ(curves.curves[0].samples.size(), 3u);
    EXPECT_DOUBLE_EQ(curves.curves[0].samples[0].thetaO, -30.5);
    EXPECT_DOUBLE_EQ(curves.curves[0].samples[2].direction, 103.75);
    EXPECT_EQ(curves.header, "zelvo_v3 response 1.0.0");

    // The share belongs to a row only when it is the same wave.
    EXPECT_DOUBLE_EQ(candidateShare(curves, 0, ResultRow{10, 2.222, 80.0, 0}), 0.95);
    EXPECT_TRUE(std::isnan(candidateShare(curves, 0, ResultRow{10, 2.222, 80.2, 0})));
    EXPECT_TRUE(std::isnan(candidateShare(curves, 1, ResultRow{10, 2.222, 80.0, 0})));
    EXPECT_TRUE(std::isnan(candidateShare(curves, 2, ResultRow{10, 2.222, 80.0, 0})));
    EXPECT_NEAR(wholeSeaHeight(2.0, 0.8), 2.0 / std::sqrt(0.8), 1e-12);
    EXPECT_TRUE(std::isnan(wholeSeaHeight(2.0, NAN)));

    // A cut file, a wrong count, a word for a number or another file: nothing.
    for (const std::string& bad :
         {responseFile(false), std::string("zelvo_v3 response\r\ncandidates 3\r\n10 1 2 0.5\r\n"),
          std::string("zelvo_v3 response\r\ncandidates 0\r\ncurves 1\r\n10 x 1 1 1\r\nend\r\n"),
          std::string("smax ho thetaO\r\n10 1.0 2.0\r\n")}) {
        const ResponseCurves refused = readText(bad, &ok);
        EXPECT_FALSE(ok) << bad;
        EXPECT_TRUE(refused.empty());
    }
    const ResponseCurves gap = readText("zelvo_v3 response\r\ncandidates 0\r\ncurves 1\r\n10 5.0 - 0.000000 0.5\r\nend\r\n", &ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(std::isnan(gap.curves[0].samples[0].direction));
}

TEST(ResponseFile, FigureShowsCurvesBandAndCandidates) {
    const ResponseCurves curves = readText(responseFile(true));
    ResponseFigureInput in;
    in.curves = &curves;
    in.thetaCon = 59.0;
    in.observedDirection = 69.5;
    in.directionUncertainty = 5.0;
    in.height = 2.0;
    in.candidates = {{10, 2.222, 80.0, 0}};
    const std::vector<PlotPanel> panels = responsePanels(in, {0, 0, 600, 500});
    ASSERT_EQ(panels.size(), 2u);
    const PlotPanel& top = panels[0];
    EXPECT_DOUBLE_EQ(top.x.min, -31.0);
    ASSERT_EQ(top.bands.size(), 1u);
    EXPECT_DOUBLE_EQ(top.bands[0].from, 64.5);
    EXPECT_DOUBLE_EQ(top.bands[0].to, 74.5);
    ASSERT_EQ(top.marks.size(), 1u);
    EXPECT_DOUBLE_EQ(top.marks[0].x, 80.0);
    EXPECT_DOUBLE_EQ(top.marks[0].y, 69.5);  // on the observed line
    EXPECT_TRUE(top.marks[0].colour == smaxColour(10));
    // Ho = H1/3 / K along the lower curves, with room above the candidate.
    EXPECT_NEAR(panels[1].lines[0].y[1], 2.0 / 0.9, 1e-12);
    EXPECT_GE(panels[1].y.max, 2.222 * 1.5);
    // Azimuth ticks read as azimuths: -30 on the axis is 330°.
    bool wrapped = false;
    for (const AxisTick& t : top.x.ticks) wrapped = wrapped || (t.value == -30.0 && t.label == L"330");
    EXPECT_TRUE(wrapped);

    RecordingCanvas canvas;
    drawResponseFigure(canvas, in, {0, 0, 600, 500});
    EXPECT_TRUE(hasText(canvas, L"沖波の波向 θo [°]"));
    EXPECT_TRUE(hasText(canvas, L"Smax 75"));
    RecordingCanvas none;
    ResponseCurves empty;
    in.curves = &empty;
    drawResponseFigure(none, in, {0, 0, 600, 500});
    EXPECT_TRUE(hasText(none, L"この解析プログラムは応答曲線のファイルを出力しないため、図はありません。"));
}

}  // namespace
}  // namespace vornel
