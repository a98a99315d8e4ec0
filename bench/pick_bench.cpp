// Time of one depth query on a full contour store of 5,000,000 points: a grid
// of 20 × 20 basins, each with ten closed rings deepening outwards.
#include <benchmark/benchmark.h>

#include <cmath>

#include "bathymetry/contour_store.h"
#include "geodesy/contour_query.h"

namespace {

using namespace vornel;

constexpr int kBasinsPerSide = 20;
constexpr int kRingsPerBasin = 10;
constexpr double kBasinSpacing = 5000.0;  // metres
constexpr double kRingSpacing = 200.0;
constexpr double kRingDepthStep = 5.0;

void fillStore() {
    ContourStore& store = contourStore();
    if (store.contourPointCount == kContourStoreCapacity) return;
    resetContourStore();
    const int rings = kBasinsPerSide * kBasinsPerSide * kRingsPerBasin;
    const int perRing = kContourStoreCapacity / rings;  // the last point closes the ring
    for (int by = 0; by < kBasinsPerSide; ++by) {
        for (int bx = 0; bx < kBasinsPerSide; ++bx) {
            for (int r = 1; r <= kRingsPerBasin; ++r) {
                const double radius = r * kRingSpacing;
                for (int k = 0; k < perRing; ++k) {
                    // A slightly wavy ring, so that no segment is special.
                    const double a = 2 * M_PI * (k % (perRing - 1)) / (perRing - 1);
                    const double rr = radius * (1 + 0.02 * std::sin(5 * a));
                    store.points[store.contourPointCount++] = ContourPoint{
                        float(bx * kBasinSpacing + rr * std::cos(a)), float(by * kBasinSpacing + rr * std::sin(a)),
                        float(r * kRingDepthStep), r - 1, k == 0 ? 1 : 0};
                }
            }
        }
    }
}

void runQuery(benchmark::State& state, double pe, double pn) {
    fillStore();
    PointQuery query;
    for (auto _ : state) {
        estimatePointDepth(pe, pn, query);
        benchmark::DoNotOptimize(query);
    }
    state.counters["depth"] = query.entry[0].depth;
    state.counters["direction"] = query.primaryDirection;
}

// Inside the innermost ring of a middle basin: all four quadrants see one
// depth, so the line search and the axis fit both run (three passes).
void BM_QueryOnFlat(benchmark::State& state) {
    runQuery(state, 10 * kBasinSpacing + 37.5, 10 * kBasinSpacing - 21.25);
}

// Between the fourth and fifth rings: interpolation on a slope (one pass).
void BM_QueryOnSlope(benchmark::State& state) {
    runQuery(state, 10 * kBasinSpacing + 610.0, 10 * kBasinSpacing + 520.0);
}

BENCHMARK(BM_QueryOnFlat)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QueryOnSlope)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
