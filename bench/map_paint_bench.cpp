// The drawing logic of the contour views on a full store of 5,000,000 points,
// with a canvas that only counts: the walk, the transform, the clipping, the
// level filter and the batching, without the cost of any device.
#include <benchmark/benchmark.h>

#include <random>

#include "bathymetry/contour_store.h"
#include "mapview/contour_paint.h"
#include "shell/app_state.h"
#include "shell/depth_colours.h"

namespace {

using namespace vornel;

constexpr int kWidth = 1000;
constexpr int kHeight = 700;

struct CountingCanvas final : Canvas {
    long long points = 0;
    long long batches = 0;
    long long pens = 0;
    void setPen(const Pen&) override { ++pens; }
    void line(PixelPoint, PixelPoint) override { points += 2; }
    void polyline(const PixelPoint*, int count) override { points += count; }
    void polyPolyline(const PixelPoint* pts, const int* counts, int runs) override {
        ++batches;
        for (int i = 0; i < runs; ++i) points += counts[i];
        benchmark::DoNotOptimize(pts);
    }
    void arc(int, int, int, int, PixelPoint, PixelPoint) override {}
    void fillRect(int, int, int, int, Colour) override {}
    void text(int, int, const wchar_t*, Colour, int, TextAlign) override {}
};

// Lines of 100 points meandering over a square of ±7 km, 200 lines per depth
// (5, 10, 15, ... m): at zoom 16 all of it lies in the window.
void fillStore() {
    ContourStore& store = contourStore();
    if (store.contourPointCount == kContourStoreCapacity) return;
    resetContourStore();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> across(-7000.0f, 7000.0f);
    std::uniform_real_distribution<float> step(-40.0f, 40.0f);
    int n = 0;
    store.depthLevelCount = 120;
    for (int k = 0; k < 120; ++k) store.depthLevelList[k] = 5.0f * (k + 1);
    for (int line = 0; n + 100 <= kContourStoreCapacity; ++line) {
        const int level = (line / 200) % 120;
        float e = across(random), north = across(random) * 0.7f;
        for (int k = 0; k < 100; ++k, ++n) {
            store.points[n] = ContourPoint{e, north, store.depthLevelList[level], level, k == 0 ? 1 : 0};
            e += step(random);
            north += step(random);
        }
    }
    store.contourPointCount = n;
    buildDepthColourTable(appState().depthColourTable);
}

void run(benchmark::State& state, int viewMode, int zoom, int pointCount) {
    fillStore();
    contourStore().contourPointCount = pointCount;
    appState().mapView.zoom = zoom;
    CountingCanvas canvas;
    for (auto _ : state) {
        drawStoreContours(canvas, appState(), kWidth, kHeight, viewMode);
        benchmark::ClobberMemory();
    }
    contourStore().contourPointCount = kContourStoreCapacity;
    state.counters["points_drawn"] = double(canvas.points) / double(state.iterations());
    state.counters["batches"] = double(canvas.batches) / double(state.iterations());
    state.counters["pens"] = double(canvas.pens) / double(state.iterations());
}

// Everything in view: the worst case of a chart view.
void BM_ChartView_5M_AllInView(benchmark::State& state) {
    run(state, VIEW_CONTOUR, 16, kContourStoreCapacity);
}
// Zoomed in: most segments lie outside the window and are skipped.
void BM_ChartView_5M_ZoomedIn(benchmark::State& state) {
    run(state, VIEW_CONTOUR, 1, kContourStoreCapacity);
}
// M7000 view at zoom 64: only the multiples of 10 m, half of the lines.
void BM_M7000View_5M_Filtered(benchmark::State& state) {
    run(state, VIEW_M7000, 64, kContourStoreCapacity);
}
void BM_ChartView_50k(benchmark::State& state) {
    run(state, VIEW_CONTOUR, 16, 50'000);
}

BENCHMARK(BM_ChartView_5M_AllInView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartView_5M_ZoomedIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_M7000View_5M_Filtered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartView_50k)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
