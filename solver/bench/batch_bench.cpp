// A year of hourly records (8,760) for one site: batch mode beside the same records through
// single-case runs (200 of them timed and scaled to the year), each as the built program run in a
// folder of its own, as the main program runs it.
//
//   build/native/solver/zelvo_batch_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kRecords = 8760;
constexpr int kSingleRuns = 200;

struct Site {
    const char* name;
    double contourNormal;
    const char* lines;  // lines 2-6 of zelvo-in.txt
};
// The guide's example off Kashima (open coast), and a point behind a virtual breakwater.
const Site kSites[] = {
    {"open", 58.8, "azim**| 58.8\r\nangl**|999.0\r\nsit***|  0.0\r\nhh_B**|  0.0\r\nhh_A**| 24.1\r\n"},
    {"behind", 200.0, "azim**|200.0\r\nangl**| 40.0\r\nsit***| 10.0\r\nhh_B**| 12.0\r\nhh_A**|  8.0\r\n"},
};

struct Record {
    double height, period, direction;
};

// Periods 3.0, 3.1, ... 20.0 s in turn; directions over the sea side, most of them within 45
// degrees of the contour normal; heights of wave steepness 0.5-4 %, at most 8 m.
std::vector<Record> yearOfRecords(double contourNormal) {
    std::mt19937 random(20240101);
    std::normal_distribution<double> offset(0.0, 30.0);
    std::uniform_real_distribution<double> steepness(0.005, 0.04);
    std::vector<Record> records;
    for (int i = 0; i < kRecords; ++i) {
        const double period = 3.0 + 0.1 * (i % 171);
        const double direction = std::fmod(contourNormal + std::clamp(offset(random), -85.0, 85.0) + 360.0, 360.0);
        const double height = std::min(8.0, steepness(random) * 1.5613 * period * period);
        records.push_back({height, period, direction});
    }
    return records;
}

fs::path freshFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / ("zelvo_bench_" + std::to_string(::getpid()) + "_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// CPU seconds of the finished child processes so far: the solver's own time, whatever else the
// machine is doing (the real time counts the wait for the cores too).
double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + 1e-6 * (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

bool runIn(const fs::path& folder, const char* arguments) {
    const std::string command = "cd '" + folder.string() + "' && '" ZELVO_EXE "' " + arguments + " >/dev/null";
    return std::system(command.c_str()) == 0;
}

void BM_Batch(benchmark::State& state) {
    const Site& site = kSites[state.range(0)];
    const fs::path folder = freshFolder(std::string("batch_") + site.name);
    std::string file = std::string("bench\r\n") + site.lines;
    char line[64];
    for (const Record& r : yearOfRecords(site.contourNormal)) {
        std::snprintf(line, sizeof line, "%.2f %.2f %.1f\r\n", r.height, r.period, r.direction);
        file += line;
    }
    std::ofstream(folder / "zelvo-batch-in.txt", std::ios::binary) << file;
    const double cpu = childCpuSeconds();
    for (auto _ : state)
        if (!runIn(folder, "--batch")) state.SkipWithError("zelvo_v3 --batch failed");
    state.counters["solver_cpu_s"] = childCpuSeconds() - cpu;
    state.SetLabel(site.name);
    state.counters["records"] = kRecords;
    fs::remove_all(folder);
}

void BM_SingleCases(benchmark::State& state) {
    const Site& site = kSites[state.range(0)];
    const fs::path folder = freshFolder(std::string("single_") + site.name);
    const std::vector<Record> records = yearOfRecords(site.contourNormal);
    const double cpu = childCpuSeconds();
    for (auto _ : state) {
        // Every 44th record: all periods and directions of the year, in its proportions.
        for (int i = 0; i < kSingleRuns; ++i) {
            const Record& r = records[i * (kRecords / kSingleRuns)];
            char wave[128];
            std::snprintf(wave, sizeof wave, "h13***|%5.2f\r\nt13***|%5.2f\r\ndir***|%5.1f\r\n", r.height, r.period,
                          r.direction);
            std::ofstream(folder / "zelvo-in.txt", std::ios::binary) << "bench\r\n" << site.lines << wave;
            if (!runIn(folder, "")) state.SkipWithError("zelvo_v3 failed");
        }
    }
    state.counters["solver_cpu_s"] = childCpuSeconds() - cpu;
    state.SetLabel(site.name);
    state.counters["runs"] = kSingleRuns;
    // The year through single-case runs: this time scaled from 200 runs to 8,760.
    state.counters["year_s"] = benchmark::Counter(static_cast<double>(kSingleRuns) / kRecords,
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
    fs::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_Batch)->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_SingleCases)->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
