#include "estimation/batch_figure.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "estimation/response_figure.h"
#include "platform/text.h"

namespace vornel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Colour kObserved{0, 0, 0};
constexpr std::size_t kDateLabels = 8;
constexpr std::size_t kLabelCharWidth = 7;  // pixels of a half-width character of the axis labels

// Tick labels from the records' own 日時 every `step` records, the step a
// whole number of records so that no two labels come closer than one label's
// width in `width` pixels (at most kDateLabels of them).
std::vector<AxisTick> dateTicks(const std::vector<WaveRecord>& records, int width) {
    std::vector<AxisTick> ticks;
    const std::size_t n = records.size();
    if (n == 0) return ticks;
    std::size_t longest = 1;
    for (std::size_t i = 0; i < n; i += std::max<std::size_t>(n / 50, 1))
        longest = std::max(longest, std::min<std::size_t>(records[i].when.size(), 16));
    const double labelWidth = static_cast<double>(longest * kLabelCharWidth + 24);
    const double perRecord = n > 1 ? std::max(width, 1) / static_cast<double>(n - 1) : 0.0;
    std::size_t step = 1;
    if (n > 1) {
        step = std::max<std::size_t>(static_cast<std::size_t>(std::ceil(labelWidth / perRecord)), 1);
        step = std::max(step, (n - 1 + kDateLabels - 2) / (kDateLabels - 1));
    }
    for (std::size_t i = 0; i < n; i += step) {
        std::wstring label = records[i].when;
        if (label.size() > 16) label.resize(16);
        ticks.push_back({static_cast<double>(i), label});
    }
    return ticks;
}

}  // namespace

std::vector<PlotPanel> batchPanels(const std::vector<WaveRecord>& records,
                                   const std::vector<BatchRecordResult>& results, PixelRect frame) {
    PlotPanel heights, directions;
    const int gap = 8;
    const int split = frame.top + (frame.height() - gap) / 2;
    heights.frame = {frame.left, frame.top, frame.right, split};
    directions.frame = {frame.left, split + gap, frame.right, frame.bottom};
    const double n = static_cast<double>(std::max<std::size_t>(records.size(), 2));
    for (PlotPanel* p : {&heights, &directions}) {
        p->x.min = -0.5;
        p->x.max = n - 0.5;
        p->x.ticks = dateTicks(records, plotArea(*p).width());
    }
    heights.title = L"観測波浪の一括推定: 波高";
    heights.y.title = L"波高 [m]";
    directions.y.title = L"波向 [°]";
    directions.x.title = L"日時 (記録の順)";
    directions.y.min = 0.0;
    directions.y.max = 360.0;
    for (double v = 0.0; v <= 360.0; v += 90.0) directions.y.ticks.push_back({v, tickLabel(v, 90.0)});

    // A long record gets small marks, or they would cover each other.
    const int radius = records.size() > 400 ? 1 : records.size() > 100 ? 2 : 4;
    PlotLine observedHeight;
    observedHeight.pen = Pen{kObserved, 1, PenStyle::Solid};
    double hoHi = 0.0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const WaveRecord& r = records[i];
        const bool ran = r.status == RecordStatus::Ok;
        observedHeight.x.push_back(static_cast<double>(i));
        observedHeight.y.push_back(ran ? r.height : kNaN);
        if (!ran) continue;
        hoHi = std::max(hoHi, r.height);
        directions.marks.push_back({double(i), r.direction, kObserved, MarkShape::Square, std::max(radius - 1, 1)});
        if (i >= results.size()) continue;
        const std::vector<BatchCandidate>& cs = results[i].candidates;
        const bool anyMark = std::any_of(cs.begin(), cs.end(), [](const BatchCandidate& c) { return c.row.mark == 1; });
        for (const BatchCandidate& c : cs) {
            if (anyMark && c.row.mark != 1) continue;
            const MarkShape shape = anyMark ? MarkShape::Circle : MarkShape::Cross;
            heights.marks.push_back({double(i), c.row.ho, smaxColour(c.row.smax), shape, radius});
            directions.marks.push_back({double(i), c.row.thetaO, smaxColour(c.row.smax), shape, radius});
            hoHi = std::max(hoHi, c.row.ho);
        }
    }
    heights.lines.push_back(std::move(observedHeight));
    double lo = 0.0;
    widenToRoundTicks(lo, hoHi, 5);
    heights.y.min = 0.0;
    heights.y.max = hoHi;

    heights.legend.push_back({L"観測 H1/3", Pen{kObserved, 1, PenStyle::Solid}});
    for (const int smax : {10, 25, 75})
        heights.legend.push_back(
            {wformat(L"Ho ◯ Smax %d", smax), Pen{smaxColour(smax), 2, PenStyle::Solid}, true, MarkShape::Circle});
    heights.legend.push_back({L"Ho (◯なし)", Pen{Colour{90, 90, 90}, 2, PenStyle::Solid}, true, MarkShape::Cross});
    directions.legend.push_back({L"観測波向", Pen{kObserved, 2, PenStyle::Solid}, true, MarkShape::Square});
    directions.legend.push_back({L"θo", Pen{Colour{90, 90, 90}, 2, PenStyle::Solid}, true, MarkShape::Circle});
    return {heights, directions};
}

void drawBatchFigure(Canvas& canvas, const std::vector<WaveRecord>& records,
                     const std::vector<BatchRecordResult>& results, PixelRect frame) {
    canvas.fillRect(frame.left, frame.top, frame.right, frame.bottom, Colour{255, 255, 255});
    for (const PlotPanel& panel : batchPanels(records, results, frame)) drawPlotPanel(canvas, panel);
}

}  // namespace vornel
