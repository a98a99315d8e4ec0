// Figures of numbers against numbers (the response of a site to the offshore
// direction, the waves of a whole record): a panel with framed axes, round
// ticks, filled bands, lines and marks, drawn through the canvas so that the
// screen, the printer and a metafile for the clipboard get the same figure.
#pragma once

#include <string>
#include <vector>

#include "mapview/canvas.h"

namespace vornel {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct AxisTick {
    double value = 0.0;
    std::wstring label;
};

struct PlotAxis {
    double min = 0.0;
    double max = 1.0;
    std::wstring title;           // with its unit, "θo [°]"
    std::vector<AxisTick> ticks;  // empty: round ticks between min and max
};

// A line through (x[i], y[i]); a point that is not finite breaks it.
struct PlotLine {
    std::vector<double> x, y;
    Pen pen;
};

// A filled band across the whole panel, between two values of the y axis.
struct PlotBand {
    double from = 0.0, to = 0.0;
    Colour fill;
};

enum class MarkShape { Circle, Square, Diamond, Cross };

struct PlotMark {
    double x = 0.0, y = 0.0;
    Colour colour;
    MarkShape shape = MarkShape::Circle;
    int radius = 4;  // pixels; a long record is drawn with small marks
};

// One line of the legend: a short stroke of `pen`, or a mark, and the text.
struct LegendEntry {
    std::wstring text;
    Pen pen;
    bool isMark = false;
    MarkShape shape = MarkShape::Circle;
};

struct PlotPanel {
    PixelRect frame;  // everything of the panel: title, axes and their labels
    std::wstring title;
    PlotAxis x, y;
    std::vector<PlotBand> bands;
    std::vector<PlotLine> lines;
    std::vector<PlotMark> marks;
    std::vector<LegendEntry> legend;  // top right inside the plot area
};

// Round tick values (1, 2 or 5 × 10^n apart, about `wanted` steps) that lie in
// [lo, hi]. Empty when the range is empty or not finite.
std::vector<double> roundTicks(double lo, double hi, int wanted);

// lo and hi widened outwards to the nearest round ticks of roundTicks' step.
void widenToRoundTicks(double& lo, double& hi, int wanted);

// The tick label of a value: as few decimals as the step needs.
std::wstring tickLabel(double value, double step);

// The rectangle of the plot area inside the panel (what the axes enclose).
PixelRect plotArea(const PlotPanel& panel);

// Pixel position of a value on an axis that runs from `from` to `to` pixels.
int axisPixel(const PlotAxis& axis, double value, int from, int to);

// Cuts the segment a-b to the rectangle; false when nothing of it is inside.
bool clipSegment(double& ax, double& ay, double& bx, double& by, double left, double top, double right,
                 double bottom);

// Draws the whole panel: white plot area, bands, grid and ticks, lines and
// marks cut to the plot area, frame, titles and legend.
void drawPlotPanel(Canvas& canvas, const PlotPanel& panel);

// The font of every figure text, at this pixel height.
Font figureFont(int height);

}  // namespace vornel
