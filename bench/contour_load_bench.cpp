// Rebuilding the contour store from a selection of large contour files, and
// the change test that every paint of a contour view runs.
//
// The files are generated once into a temporary program folder: ten harbours
// of 500,000 points each (five million points, about 100 MB of text).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bathymetry/contour_files.h"
#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/harbour_list.h"
#include "platform/text.h"
#include "shell/app_state.h"

namespace vornel {
namespace {

constexpr int kHarbours = 10;
constexpr int kContoursPerFile = 100;
constexpr int kPointsPerContour = 5000;

std::filesystem::path benchFolder() {
    return std::filesystem::temp_directory_path() / ("vornel_contour_bench_" + std::to_string(getpid()));
}

void writeFile(const std::filesystem::path& path, int seed) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::string text;
    text.reserve(1 << 20);
    for (int c = 0; c < kContoursPerFile; ++c) {
        const double depth = 1.0 + (c * 7 + seed) % 60 * 0.5;
        text += format("%10.2f%5d", depth, kPointsPerContour);
        if (c == 0) text += std::string(34, ' ') + "N 35 10'20.000\" E139 45'00.000\"";
        text += "\r\n";
        for (int i = 0; i < kPointsPerContour; ++i) {
            const double a = i * 0.001256 + c;
            text += format("%10.2f%10.2f", 20000.0 * std::cos(a) + seed, 15000.0 * std::sin(a) - c);
            if (i % 4 == 3 || i + 1 == kPointsPerContour) text += "\r\n";
        }
        if (text.size() > (1u << 20) - 4096) {
            std::fwrite(text.data(), 1, text.size(), f);
            text.clear();
        }
    }
    text += "   1000.00    5\r\n";
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

void prepare() {
    static bool done = false;
    if (done) return;
    done = true;
    const auto root = benchFolder();
    std::filesystem::create_directories(root / "Db01" / "r");
    for (int h = 0; h < kHarbours; ++h) writeFile(root / "Db01" / "r" / ("h" + std::to_string(h) + ".con"), h);
    dataFolders().programFolder = widen(root.string());
    HarbourList& list = harbourList();
    list.harbourCount = kHarbours;
    for (int h = 0; h < kHarbours; ++h) {
        HarbourRecord& r = list.records[h];
        r = HarbourRecord{};
        copyField(r.name, "h" + std::to_string(h));
        copyField(r.region, "r");
    }
}

void selectAll(int value) {
    for (int h = 0; h < kHarbours; ++h) harbourList().records[h].selected = value;
}

void BM_LoadFiveMillionPoints(benchmark::State& state) {
    prepare();
    for (auto _ : state) {
        selectAll(1);
        loadSelectedContours();
        benchmark::DoNotOptimize(contourStore().contourPointCount);
        state.PauseTiming();
        selectAll(0);
        loadSelectedContours();  // an empty rebuild, so the next round loads again
        state.ResumeTiming();
    }
    if (contourStore().contourPointCount != 0 || harbourList().records[0].loaded != 0)
        state.SkipWithError("the store was not rebuilt");
    state.counters["points"] = kHarbours * kContoursPerFile * kPointsPerContour;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = usage.ru_maxrss / 1024.0;
}
BENCHMARK(BM_LoadFiveMillionPoints)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ChangeTestPerPaint(benchmark::State& state) {
    prepare();
    // A full harbour list and nothing changed: what a paint costs.
    HarbourList& list = harbourList();
    const int saved = list.harbourCount;
    for (int h = saved; h < kHarbourCapacity; ++h) list.records[h] = list.records[0];
    list.harbourCount = kHarbourCapacity;
    for (int h = 0; h < kHarbourCapacity; ++h) list.records[h].selected = list.records[h].loaded = 0;
    for (auto _ : state) {
        loadSelectedContours();
        benchmark::DoNotOptimize(contourStore().contourStoreValid);
    }
    list.harbourCount = saved;
}
BENCHMARK(BM_ChangeTestPerPaint);

struct Cleanup {
    ~Cleanup() { std::filesystem::remove_all(benchFolder()); }
} cleanup;

}  // namespace
}  // namespace vornel

BENCHMARK_MAIN();
