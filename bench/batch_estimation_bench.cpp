// A year of hourly records (8,760) for the guide's site through VORNEL's batch
// estimation as the command runs it: sorted by period, in batches of about two
// seconds through the solver's batch mode, with the progress reported.
//
//   build/native/batch_estimation_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>

#include "estimation/batch_estimation.h"
#include "platform/text.h"
#include "support/recording_platform.h"

namespace fs = std::filesystem;
using namespace vornel;

namespace {

constexpr int kRecords = 8760;

// Periods 3.0, 3.1, ... 20.0 s in turn; directions over the sea side, most of
// them within 45 degrees of the contour normal; steepness 0.5-4 %, at most 8 m.
std::vector<WaveRecord> yearOfRecords(double contourNormal) {
    std::mt19937 random(20240101);
    std::normal_distribution<double> offset(0.0, 30.0);
    std::uniform_real_distribution<double> steepness(0.005, 0.04);
    std::vector<WaveRecord> records;
    for (int i = 0; i < kRecords; ++i) {
        WaveRecord r;
        r.line = i + 1;
        r.period = 3.0 + 0.1 * (i % 171);
        r.direction = std::fmod(contourNormal + std::clamp(offset(random), -85.0, 85.0) + 360.0, 360.0);
        r.height = std::round(std::min(8.0, steepness(random) * 1.5613 * r.period * r.period) * 100.0) / 100.0;
        r.direction = std::round(r.direction * 10.0) / 10.0;
        records.push_back(r);
    }
    return records;
}

void BM_YearOfRecordsThroughTheBatchCommand(benchmark::State& state) {
    RecordingPlatform platform;
    const fs::path folder = fs::temp_directory_path() / ("vornel_batch_bench_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(VORNEL_REAL_SOLVER, folder / "zelvo_v3.exe");
    fs::permissions(folder / "zelvo_v3.exe", fs::perms::owner_all);
    BatchSite site;
    site.folder = widen(folder.string());
    site.site.title = "bench";
    site.site.thetaCon = 58.8;
    site.site.pointDepth = 24.1;
    const std::vector<WaveRecord> records = yearOfRecords(site.site.thetaCon);
    std::size_t batches = 0;
    for (auto _ : state) {
        BatchObserver observer;
        observer.progress = [&](std::size_t, std::size_t) { ++batches; };
        const BatchRun run = runBatchEstimation(site, records, observer);
        if (run.mode != BatchMode::SolverBatch || run.fatal.failure != SolverFailure::None)
            state.SkipWithError("the batch did not run through the solver's batch mode");
    }
    state.counters["records"] = kRecords;
    state.counters["progress_steps"] = static_cast<double>(batches) / state.iterations();
    fs::remove_all(folder);
}
BENCHMARK(BM_YearOfRecordsThroughTheBatchCommand)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
