#include "mapview/plot.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace vornel {

namespace {

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kGrid{215, 215, 215};
constexpr int kFontHeight = 12;
constexpr int kTickLength = 4;
constexpr int kMarkRadius = 4;
constexpr int kWantedTicks = 6;
// Room for the labels around the plot area, in font heights: the title above,
// the y axis title above the plot, tick labels left and below, the x axis
// title below them.
constexpr int kLeftLabelChars = 7;

// The round step (1, 2 or 5 × 10^n) that gives the number of steps nearest
// to `wanted`; the larger step on a tie.
double niceStep(double range, int wanted) {
    wanted = std::max(wanted, 1);
    const double decade = std::pow(10.0, std::floor(std::log10(range / wanted)));
    double best = decade;
    for (const double factor : {1.0, 2.0, 5.0, 10.0, 20.0}) {
        const double step = decade * factor;
        if (std::fabs(range / step - wanted) <= std::fabs(range / best - wanted)) best = step;
    }
    return best;
}

bool finite(double v) {
    return std::isfinite(v);
}

struct Mapper {
    const PlotAxis& x;
    const PlotAxis& y;
    PixelRect area;
    double px(double v) const { return area.left + (v - x.min) / (x.max - x.min) * area.width(); }
    double py(double v) const { return area.bottom - (v - y.min) / (y.max - y.min) * area.height(); }
};

int round(double v) {
    return static_cast<int>(std::lround(v));
}

// About how wide a text is drawn: ASCII about half the font's height, every
// other character (kana, kanji, and Greek, which Japanese faces draw
// full-width) a square.
int textWidth(const std::wstring& text, const Font& font) {
    int width = 0;
    for (const wchar_t c : text) width += c > 0xFF ? font.height : font.height / 2 + 1;
    return width;
}

std::vector<AxisTick> ticksOf(const PlotAxis& axis) {
    if (!axis.ticks.empty()) return axis.ticks;
    std::vector<AxisTick> ticks;
    const std::vector<double> values = roundTicks(axis.min, axis.max, kWantedTicks);
    const double step = values.size() >= 2 ? values[1] - values[0] : 1.0;
    for (const double v : values) ticks.push_back({v, tickLabel(v, step)});
    return ticks;
}

void drawMark(Canvas& canvas, int x, int y, Colour colour, MarkShape shape, int r = kMarkRadius) {
    canvas.setPen(Pen{colour, r > 2 ? 2 : 1, PenStyle::Solid});
    switch (shape) {
        case MarkShape::Circle:
            canvas.arc(x - r, y - r, x + r + 1, y + r + 1, {x + r, y}, {x + r, y});
            break;
        case MarkShape::Square: {
            const PixelPoint box[5] = {{x - r, y - r}, {x + r, y - r}, {x + r, y + r}, {x - r, y + r}, {x - r, y - r}};
            canvas.polyline(box, 5);
            break;
        }
        case MarkShape::Diamond: {
            const PixelPoint box[5] = {{x, y - r - 1}, {x + r + 1, y}, {x, y + r + 1}, {x - r - 1, y}, {x, y - r - 1}};
            canvas.polyline(box, 5);
            break;
        }
        case MarkShape::Cross:
            canvas.line({x - r, y - r}, {x + r + 1, y + r + 1});
            canvas.line({x - r, y + r}, {x + r + 1, y - r - 1});
            break;
    }
}

void drawLine(Canvas& canvas, const Mapper& m, const PlotLine& line) {
    const PixelRect& a = m.area;
    std::vector<PixelPoint> run;
    auto flush = [&] {
        if (run.size() >= 2) canvas.polyline(run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    canvas.setPen(line.pen);
    const std::size_t n = std::min(line.x.size(), line.y.size());
    for (std::size_t i = 1; i < n; ++i) {
        if (!finite(line.x[i - 1]) || !finite(line.y[i - 1]) || !finite(line.x[i]) || !finite(line.y[i])) {
            flush();
            continue;
        }
        double ax = m.px(line.x[i - 1]), ay = m.py(line.y[i - 1]);
        double bx = m.px(line.x[i]), by = m.py(line.y[i]);
        const bool startInside = ax >= a.left && ax <= a.right && ay >= a.top && ay <= a.bottom;
        if (!clipSegment(ax, ay, bx, by, a.left, a.top, a.right, a.bottom)) {
            flush();
            continue;
        }
        const PixelPoint from{round(ax), round(ay)};
        const PixelPoint to{round(bx), round(by)};
        // A segment that enters the area from outside starts a new run.
        if (!startInside || run.empty() || !(run.back() == from)) {
            flush();
            run.push_back(from);
        }
        run.push_back(to);
        const bool endInside = to.x == round(m.px(line.x[i])) && to.y == round(m.py(line.y[i]));
        if (!endInside) flush();
    }
    flush();
}

// How many points of the lines and marks fall inside `box`: the legend goes
// where it hides the least.
int covered(const PlotPanel& panel, const Mapper& m, const PixelRect& box) {
    int count = 0;
    const auto inside = [&](double x, double y) {
        if (!finite(x) || !finite(y)) return false;
        const double px = m.px(x), py = m.py(y);
        return px >= box.left && px <= box.right && py >= box.top && py <= box.bottom;
    };
    for (const PlotLine& line : panel.lines)
        for (std::size_t i = 0; i < std::min(line.x.size(), line.y.size()); ++i) count += inside(line.x[i], line.y[i]);
    for (const PlotMark& mark : panel.marks) count += 4 * inside(mark.x, mark.y);
    return count;
}

void drawLegend(Canvas& canvas, const PlotPanel& panel, const Mapper& m, const Font& font) {
    if (panel.legend.empty()) return;
    const PixelRect& area = m.area;
    const int rowHeight = font.height + 5;
    int longest = 0;
    for (const LegendEntry& e : panel.legend) longest = std::max(longest, textWidth(e.text, font));
    const int width = 40 + longest;
    const int height = rowHeight * static_cast<int>(panel.legend.size()) + 6;
    // Top right unless another corner hides less of the figure.
    const PixelRect corners[] = {{area.right - 6 - width, area.top + 6, area.right - 6, area.top + 6 + height},
                                 {area.left + 6, area.top + 6, area.left + 6 + width, area.top + 6 + height},
                                 {area.right - 6 - width, area.bottom - 6 - height, area.right - 6, area.bottom - 6},
                                 {area.left + 6, area.bottom - 6 - height, area.left + 6 + width, area.bottom - 6}};
    PixelRect box = corners[0];
    int least = covered(panel, m, box);
    for (const PixelRect& corner : corners) {
        const int n = covered(panel, m, corner);
        if (n < least) {
            least = n;
            box = corner;
        }
    }
    canvas.fillRect(box.left, box.top, box.right, box.bottom, kWhite);
    canvas.setPen(Pen{kBlack, 1, PenStyle::Solid});
    const PixelPoint frame[5] = {
        {box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}, {box.left, box.top}};
    canvas.polyline(frame, 5);
    int y = box.top + 4;
    for (const LegendEntry& e : panel.legend) {
        const int middle = y + rowHeight / 2;
        if (e.isMark) {
            drawMark(canvas, box.left + 16, middle, e.pen.colour, e.shape);
        } else {
            canvas.setPen(e.pen);
            canvas.line({box.left + 5, middle}, {box.left + 28, middle});
        }
        canvas.textInFont(box.left + 34, y + 2, e.text.c_str(), kBlack, font, TextAlign::Left, TextBaseline::Top);
        y += rowHeight;
    }
}

}  // namespace

Font figureFont(int height) {
    return Font{height, 0, false, L"MS UI Gothic"};
}

std::vector<double> roundTicks(double lo, double hi, int wanted) {
    std::vector<double> ticks;
    if (!finite(lo) || !finite(hi) || !(hi > lo)) return ticks;
    const double step = niceStep(hi - lo, wanted);
    // k / (1 / step) for steps below one: 3 / 5 is 0.6, while 3 × 0.2 is not.
    const double inverse = step < 1.0 ? std::round(1.0 / step) : 0.0;
    for (double k = std::ceil(lo / step - 1e-9); ticks.size() < 1000; k += 1.0) {
        const double v = inverse > 0.0 ? k / inverse : k * step;
        if (v > hi + step * 1e-9) break;
        ticks.push_back(v == 0.0 ? 0.0 : v);
    }
    return ticks;
}

void widenToRoundTicks(double& lo, double& hi, int wanted) {
    if (!finite(lo) || !finite(hi)) return;
    if (!(hi > lo)) {
        const double pad = std::max(std::fabs(lo) * 0.1, 1.0);
        lo -= pad;
        hi += pad;
    }
    const double step = niceStep(hi - lo, wanted);
    lo = std::floor(lo / step + 1e-9) * step;
    hi = std::ceil(hi / step - 1e-9) * step;
}

std::wstring tickLabel(double value, double step) {
    int decimals = 0;
    while (decimals < 6 && std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) >
                               1e-6 * std::pow(10.0, decimals))
        ++decimals;
    wchar_t text[48];
    std::swprintf(text, 48, L"%.*f", decimals, value);
    if (std::wcscmp(text, L"-0") == 0) return L"0";
    return text;
}

PixelRect plotArea(const PlotPanel& panel) {
    const int f = kFontHeight;
    PixelRect area = panel.frame;
    area.left += f * kLeftLabelChars / 2 + kTickLength + 6;
    area.right -= f;
    area.top += (panel.title.empty() ? 0 : f + 8) + f + 8;
    area.bottom -= kTickLength + f + 6 + (panel.x.title.empty() ? 0 : f + 6);
    if (area.right <= area.left) area.right = area.left + 1;
    if (area.bottom <= area.top) area.bottom = area.top + 1;
    return area;
}

int axisPixel(const PlotAxis& axis, double value, int from, int to) {
    if (!(axis.max > axis.min)) return from;
    return round(from + (value - axis.min) / (axis.max - axis.min) * (to - from));
}

bool clipSegment(double& ax, double& ay, double& bx, double& by, double left, double top, double right,
                 double bottom) {
    // Liang–Barsky: the part of a + t (b - a), t in [0, 1], inside the box.
    const double dx = bx - ax, dy = by - ay;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - left, right - ax, ay - top, bottom - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double x0 = ax + t0 * dx, y0 = ay + t0 * dy;
    bx = ax + t1 * dx;
    by = ay + t1 * dy;
    ax = x0;
    ay = y0;
    return true;
}

void drawPlotPanel(Canvas& canvas, const PlotPanel& panel) {
    const Font font = figureFont(kFontHeight);
    const PixelRect area = plotArea(panel);
    if (!(panel.x.max > panel.x.min) || !(panel.y.max > panel.y.min)) return;
    const Mapper m{panel.x, panel.y, area};

    canvas.fillRect(area.left, area.top, area.right + 1, area.bottom + 1, kWhite);
    for (const PlotBand& band : panel.bands) {
        double top = m.py(std::max(band.from, band.to)), bottom = m.py(std::min(band.from, band.to));
        top = std::clamp(top, double(area.top), double(area.bottom));
        bottom = std::clamp(bottom, double(area.top), double(area.bottom));
        if (bottom > top) canvas.fillRect(area.left + 1, round(top), area.right, round(bottom) + 1, band.fill);
    }

    // Grid lines and ticks with their labels.
    const std::vector<AxisTick> xTicks = ticksOf(panel.x);
    const std::vector<AxisTick> yTicks = ticksOf(panel.y);
    canvas.setPen(Pen{kGrid, 1, PenStyle::Dot});
    for (const AxisTick& t : xTicks) {
        const int x = round(m.px(t.value));
        if (x > area.left && x < area.right) canvas.line({x, area.top + 1}, {x, area.bottom});
    }
    for (const AxisTick& t : yTicks) {
        const int y = round(m.py(t.value));
        if (y > area.top && y < area.bottom) canvas.line({area.left + 1, y}, {area.right, y});
    }
    canvas.setPen(Pen{kBlack, 1, PenStyle::Solid});
    for (const AxisTick& t : xTicks) {
        const int x = round(m.px(t.value));
        if (x < area.left || x > area.right) continue;
        canvas.line({x, area.bottom}, {x, area.bottom + kTickLength});
        // A label at an end of the axis stays inside the panel.
        const int half = textWidth(t.label, font) / 2;
        const int labelX = std::clamp(x, panel.frame.left + half, std::max(panel.frame.left + half, panel.frame.right - half));
        canvas.textInFont(labelX, area.bottom + kTickLength + 2, t.label.c_str(), kBlack, font, TextAlign::Centre,
                          TextBaseline::Top);
    }
    for (const AxisTick& t : yTicks) {
        const int y = round(m.py(t.value));
        if (y < area.top || y > area.bottom) continue;
        canvas.line({area.left - kTickLength, y}, {area.left, y});
        canvas.textInFont(area.left - kTickLength - 3, y - font.height / 2, t.label.c_str(), kBlack, font,
                          TextAlign::Right, TextBaseline::Top);
    }

    for (const PlotLine& line : panel.lines) drawLine(canvas, m, line);
    for (const PlotMark& mark : panel.marks) {
        if (!finite(mark.x) || !finite(mark.y)) continue;
        const double x = m.px(mark.x), y = m.py(mark.y);
        if (x < area.left || x > area.right || y < area.top || y > area.bottom) continue;
        drawMark(canvas, round(x), round(y), mark.colour, mark.shape, mark.radius);
    }

    canvas.setPen(Pen{kBlack, 1, PenStyle::Solid});
    const PixelPoint frame[5] = {{area.left, area.top},
                                 {area.right, area.top},
                                 {area.right, area.bottom},
                                 {area.left, area.bottom},
                                 {area.left, area.top}};
    canvas.polyline(frame, 5);

    if (!panel.title.empty())
        canvas.textInFont(panel.frame.left + 2, panel.frame.top + 2, panel.title.c_str(), kBlack,
                          figureFont(kFontHeight + 1), TextAlign::Left, TextBaseline::Top);
    if (!panel.y.title.empty())
        canvas.textInFont(area.left, area.top - 4, panel.y.title.c_str(), kBlack, font, TextAlign::Left,
                          TextBaseline::Bottom);
    if (!panel.x.title.empty())
        canvas.textInFont((area.left + area.right) / 2, panel.frame.bottom - 2, panel.x.title.c_str(), kBlack, font,
                          TextAlign::Centre, TextBaseline::Bottom);
    drawLegend(canvas, panel, m, font);
}

}  // namespace vornel
