#include "estimation/response_figure.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "estimation/params.h"
#include "platform/text.h"

namespace vornel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Colour kObserved{0, 0, 0};
constexpr Colour kBand{255, 236, 179};

// Ticks of an azimuth axis: multiples of a step that divides a right angle,
// labelled as azimuths in [0, 360).
std::vector<AxisTick> azimuthTicks(double lo, double hi) {
    std::vector<AxisTick> ticks;
    double step = 90.0;
    for (const double s : {5.0, 10.0, 15.0, 30.0, 45.0, 90.0}) {
        if ((hi - lo) / s <= 10.0) {
            step = s;
            break;
        }
    }
    for (double v = std::ceil(lo / step) * step; v <= hi + 1e-9; v += step)
        ticks.push_back({v, tickLabel(reduceAngle(v), step)});
    return ticks;
}

}  // namespace

Colour smaxColour(int smax) {
    switch (smax) {
        case 10:
            return Colour{0, 90, 200};
        case 25:
            return Colour{0, 150, 60};
        case 75:
            return Colour{210, 40, 40};
        default:
            return Colour{120, 60, 160};
    }
}

std::vector<PlotPanel> responsePanels(const ResponseFigureInput& in, PixelRect frame) {
    const double span = 90.0;
    PlotPanel top, bottom;
    const int gap = 8;
    const int split = frame.top + (frame.height() - gap) * 55 / 100;
    top.frame = {frame.left, frame.top, frame.right, split};
    bottom.frame = {frame.left, split + gap, frame.right, frame.bottom};
    for (PlotPanel* p : {&top, &bottom}) {
        p->x.min = in.thetaCon - span;
        p->x.max = in.thetaCon + span;
        p->x.ticks = azimuthTicks(p->x.min, p->x.max);
    }
    top.title = L"準沖波地点の波向と沖波の波向θo";
    top.y.title = L"準沖波地点の波向 [°]";
    bottom.x.title = L"沖波の波向 θo [°]";
    bottom.y.title = L"Ho = H1/3 / K [m]";

    // The observed direction on the same running azimuths as the curves.
    const double observed = in.thetaCon + angleDifference(in.observedDirection, in.thetaCon);
    double yLo = observed - in.directionUncertainty, yHi = observed + in.directionUncertainty;
    double hoHi = in.height * 2.0;
    for (const ResponseCurve& curve : in.curves->curves) {
        PlotLine dir, ho;
        dir.pen = ho.pen = Pen{smaxColour(curve.smax), 2, PenStyle::Solid};
        for (const ResponseSample& s : curve.samples) {
            dir.x.push_back(s.thetaO);
            dir.y.push_back(s.direction);
            if (std::isfinite(s.direction)) {
                yLo = std::min(yLo, s.direction);
                yHi = std::max(yHi, s.direction);
            }
            ho.x.push_back(s.thetaO);
            ho.y.push_back(s.k > 0.0 ? in.height / s.k : kNaN);
        }
        top.lines.push_back(std::move(dir));
        bottom.lines.push_back(std::move(ho));
        top.legend.push_back({wformat(L"Smax %d", curve.smax), Pen{smaxColour(curve.smax), 2, PenStyle::Solid}});
    }
    widenToRoundTicks(yLo, yHi, 6);
    top.y.min = yLo;
    top.y.max = yHi;
    top.y.ticks = azimuthTicks(yLo, yHi);
    top.bands.push_back({observed - in.directionUncertainty, observed + in.directionUncertainty, kBand});
    top.lines.push_back({{top.x.min, top.x.max}, {observed, observed}, Pen{kObserved, 1, PenStyle::Solid}});
    top.legend.push_back(
        {widen(format("観測波向 %.1f°±%.1f°", reduceAngle(in.observedDirection), in.directionUncertainty)),
         Pen{kObserved, 1, PenStyle::Solid}});
    top.legend.push_back({L"候補", Pen{kObserved, 2, PenStyle::Solid}, true, MarkShape::Circle});

    for (const ResultRow& row : in.candidates) {
        const double x = in.thetaCon + angleDifference(row.thetaO, in.thetaCon);
        top.marks.push_back({x, observed, smaxColour(row.smax), MarkShape::Circle});
        bottom.marks.push_back({x, row.ho, smaxColour(row.smax), MarkShape::Circle});
        hoHi = std::max(hoHi, row.ho * 1.5);
    }
    // Where almost nothing arrives Ho runs off to infinity: the axis stops at
    // a height that keeps the candidates readable.
    double hoLo = 0.0;
    widenToRoundTicks(hoLo, hoHi, 5);
    bottom.y.min = 0.0;
    bottom.y.max = hoHi;
    return {top, bottom};
}

void drawResponseFigure(Canvas& canvas, const ResponseFigureInput& input, PixelRect frame) {
    canvas.fillRect(frame.left, frame.top, frame.right, frame.bottom, Colour{255, 255, 255});
    if (!input.curves || input.curves->curves.empty()) {
        canvas.textInFont((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2,
                          L"この解析プログラムは応答曲線のファイルを出力しないため、図はありません。", Colour{0, 0, 0},
                          figureFont(13), TextAlign::Centre, TextBaseline::Top);
        return;
    }
    for (const PlotPanel& panel : responsePanels(input, frame)) drawPlotPanel(canvas, panel);
}

}  // namespace vornel
