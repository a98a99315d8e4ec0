// Throughput of the plane rectangular conversion on the size of the largest
// M7000 load (5,000,000 points about one origin), beside PROJ's transverse
// Mercator on the same points when PROJ is installed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "geodesy/plane_rect.h"

#ifdef VORNEL_HAVE_PROJ
#include <proj.h>
#endif

namespace {

constexpr int kPoints = 5'000'000;
constexpr double kOriginLat = 36.0, kOriginLon = 139.0 + 50.0 / 60.0;  // zone IX

struct Points {
    std::vector<double> lat, lon;  // degrees, ±3° around the origin
    Points() : lat(kPoints), lon(kPoints) {
        std::uint64_t s = 0x9E3779B97F4A7C15ull;
        auto next = [&] {
            s = s * 6364136223846793005ull + 1442695040888963407ull;
            return static_cast<double>(s >> 11) / 9007199254740992.0;  // [0, 1)
        };
        for (int i = 0; i < kPoints; ++i) {
            lat[i] = kOriginLat + 6 * next() - 3;
            lon[i] = kOriginLon + 6 * next() - 3;
        }
    }
};

const Points& points() {
    static const Points p;
    return p;
}

void report(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * kPoints);
    state.counters["ns_per_point"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kPoints,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}

void BM_ToPlaneRect(benchmark::State& state) {
    const Points& p = points();
    std::vector<double> x(kPoints), y(kPoints);
    for (auto _ : state) {
        for (int i = 0; i < kPoints; ++i) vornel::toPlaneRect(p.lat[i], p.lon[i], kOriginLat, kOriginLon, x[i], y[i]);
        benchmark::DoNotOptimize(x.data());
        benchmark::DoNotOptimize(y.data());
    }
    report(state);
}
BENCHMARK(BM_ToPlaneRect)->Unit(benchmark::kMillisecond);

void BM_PlaneRectProjector(benchmark::State& state) {
    const Points& p = points();
    std::vector<double> x(kPoints), y(kPoints);
    for (auto _ : state) {
        const vornel::PlaneRectProjector projector(kOriginLat, kOriginLon);
        for (int i = 0; i < kPoints; ++i) projector.toPlane(p.lat[i], p.lon[i], x[i], y[i]);
        benchmark::DoNotOptimize(x.data());
        benchmark::DoNotOptimize(y.data());
    }
    report(state);
}
BENCHMARK(BM_PlaneRectProjector)->Unit(benchmark::kMillisecond);

void BM_FromPlaneRect(benchmark::State& state) {
    const Points& p = points();
    std::vector<double> x(kPoints), y(kPoints), lat(kPoints), lon(kPoints);
    for (int i = 0; i < kPoints; ++i) vornel::toPlaneRect(p.lat[i], p.lon[i], kOriginLat, kOriginLon, x[i], y[i]);
    for (auto _ : state) {
        for (int i = 0; i < kPoints; ++i) vornel::fromPlaneRect(x[i], y[i], kOriginLat, kOriginLon, lat[i], lon[i]);
        benchmark::DoNotOptimize(lat.data());
        benchmark::DoNotOptimize(lon.data());
    }
    report(state);
}
BENCHMARK(BM_FromPlaneRect)->Unit(benchmark::kMillisecond);

#ifdef VORNEL_HAVE_PROJ

struct ProjOperation {
    PJ_CONTEXT* ctx = proj_context_create();
    PJ* pj = nullptr;
    ProjOperation() {
        char def[200];
        std::snprintf(def, sizeof def, "+proj=tmerc +ellps=GRS80 +k=0.9999 +lat_0=%.17g +lon_0=%.17g +units=m",
                      kOriginLat, kOriginLon);
        pj = proj_create(ctx, def);
    }
    ~ProjOperation() {
        proj_destroy(pj);
        proj_context_destroy(ctx);
    }
};

// PROJ's forward through proj_trans_generic, in place on longitude/latitude
// arrays in radians (the copy into the arrays is not timed). Reports the
// largest difference from toPlaneRect over all points as a counter.
void BM_ProjForward(benchmark::State& state) {
    const Points& p = points();
    const ProjOperation op;
    if (!op.pj) {
        state.SkipWithError("proj_create failed");
        return;
    }
    std::vector<double> lamRad(kPoints), phiRad(kPoints), e(kPoints), n(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        lamRad[i] = proj_torad(p.lon[i]);
        phiRad[i] = proj_torad(p.lat[i]);
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(lamRad.begin(), lamRad.end(), e.begin());
        std::copy(phiRad.begin(), phiRad.end(), n.begin());
        state.ResumeTiming();
        proj_trans_generic(op.pj, PJ_FWD, e.data(), sizeof(double), kPoints, n.data(), sizeof(double), kPoints, nullptr,
                           0, 0, nullptr, 0, 0);
        benchmark::DoNotOptimize(e.data());
        benchmark::DoNotOptimize(n.data());
    }
    report(state);
    double maxDiff = 0;
    for (int i = 0; i < kPoints; ++i) {
        double x, y;
        vornel::toPlaneRect(p.lat[i], p.lon[i], kOriginLat, kOriginLon, x, y);
        maxDiff = std::max({maxDiff, std::fabs(x - n[i]), std::fabs(y - e[i])});
    }
    state.counters["max_diff_m"] = maxDiff;
}
BENCHMARK(BM_ProjForward)->Unit(benchmark::kMillisecond);

void BM_ProjInverse(benchmark::State& state) {
    const Points& p = points();
    const ProjOperation op;
    if (!op.pj) {
        state.SkipWithError("proj_create failed");
        return;
    }
    std::vector<double> x(kPoints), y(kPoints), lam(kPoints), phi(kPoints);
    for (int i = 0; i < kPoints; ++i) vornel::toPlaneRect(p.lat[i], p.lon[i], kOriginLat, kOriginLon, x[i], y[i]);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(y.begin(), y.end(), lam.begin());
        std::copy(x.begin(), x.end(), phi.begin());
        state.ResumeTiming();
        proj_trans_generic(op.pj, PJ_INV, lam.data(), sizeof(double), kPoints, phi.data(), sizeof(double), kPoints,
                           nullptr, 0, 0, nullptr, 0, 0);
        benchmark::DoNotOptimize(lam.data());
        benchmark::DoNotOptimize(phi.data());
    }
    report(state);
    double maxDiff = 0;
    for (int i = 0; i < kPoints; ++i) {
        double lat, lon;
        vornel::fromPlaneRect(x[i], y[i], kOriginLat, kOriginLon, lat, lon);
        maxDiff = std::max({maxDiff, std::fabs(lat - proj_todeg(phi[i])), std::fabs(lon - proj_todeg(lam[i]))});
    }
    state.counters["max_diff_deg"] = maxDiff;
}
BENCHMARK(BM_ProjInverse)->Unit(benchmark::kMillisecond);

#endif

}  // namespace

BENCHMARK_MAIN();
