// vornel-contour beside GDAL's gdal_contour on one 4,000 × 4,000 depth grid
// (an ESRI ASCII grid of about 110 MB) at 30 levels, 10 m to 300 m: the wall
// time of each program and its peak resident memory, both run as child
// processes on the same file. The grid is written once into a temporary
// folder and is in the page cache for both. Besides: the same grid as GDAL's
// XYZ export (about 440 MB, read twice: once for the lattice), and a run
// refused before any value is read (its output folder is missing).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kSize = 4000;

fs::path benchFolder() { return fs::temp_directory_path() / ("vornel_grid_contour_bench_" + std::to_string(getpid())); }
fs::path gridPath() { return benchFolder() / "seabed.asc"; }
fs::path xyzPath() { return benchFolder() / "seabed.xyz"; }

// A smooth seabed deepening offshore (eastwards) from about 2 m to 340 m,
// with banks and troughs, in positive depths.
double depthAt(int row, int column) {
    const double x = column / double(kSize - 1), y = row / double(kSize - 1);
    const double shelf = 2 + 300 * x * x;
    const double relief = 18 * std::sin(9.0 * x + 2.0 * y) * std::cos(7.0 * y) + 10 * std::sin(23.0 * y + 5.0 * x);
    return std::clamp(shelf + relief * x + 20 * x, 2.0, 340.0);
}

void removeFolder() {
    std::error_code ignored;
    fs::remove_all(benchFolder(), ignored);
}

void prepare() {
    static bool done = false;
    if (done) return;
    done = true;
    fs::create_directories(benchFolder());
    std::atexit(removeFolder);
    std::FILE* f = std::fopen(gridPath().c_str(), "wb");
    if (!f) std::abort();
    std::fprintf(f, "ncols %d\nnrows %d\nxllcorner 139.5\nyllcorner 34.5\ncellsize 0.0002\nNODATA_value -9999\n", kSize,
                 kSize);
    std::string row;
    char digits[32];
    for (int r = 0; r < kSize; ++r) {
        row.clear();
        for (int c = 0; c < kSize; ++c) {
            const auto end = std::to_chars(digits, digits + sizeof digits, depthAt(r, c), std::chars_format::fixed, 2).ptr;
            row.append(digits, end);
            row += c + 1 < kSize ? ' ' : '\n';
        }
        if (std::fwrite(row.data(), 1, row.size(), f) != row.size()) std::abort();
    }
    if (std::fclose(f) != 0) std::abort();
}

// The same nodes as "lon lat depth" lines, north row first.
void prepareXyz() {
    prepare();
    static bool done = false;
    if (done) return;
    done = true;
    std::FILE* f = std::fopen(xyzPath().c_str(), "wb");
    if (!f) std::abort();
    std::string row;
    char line[96];
    for (int r = 0; r < kSize; ++r) {
        row.clear();
        for (int c = 0; c < kSize; ++c) {
            const int length = std::snprintf(line, sizeof line, "%.6f %.6f %.2f\n", 139.5 + (c + 0.5) * 0.0002,
                                             34.5 + (kSize - r - 0.5) * 0.0002, depthAt(r, c));
            row.append(line, static_cast<std::size_t>(length));
        }
        if (std::fwrite(row.data(), 1, row.size(), f) != row.size()) std::abort();
    }
    if (std::fclose(f) != 0) std::abort();
}

struct ChildRun {
    bool ok = false;
    double seconds = 0;
    double peakMB = 0;
};

// Runs `arguments` with its output thrown away, timing it from fork to exit
// and taking its peak resident memory from wait4.
ChildRun runChild(const std::vector<std::string>& arguments, int expectedExit = 0) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    ChildRun run;
    if (pid < 0) return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == expectedExit;
    run.peakMB = usage.ru_maxrss / 1024.0;  // kilobytes on Linux
    return run;
}

std::vector<std::string> levels() {
    std::vector<std::string> list;
    for (int depth = 10; depth <= 300; depth += 10) list.push_back(std::to_string(depth));
    return list;
}

void report(benchmark::State& state, const std::vector<std::string>& command, const fs::path& output,
            int expectedExit = 0) {
    double peak = 0;
    for (auto _ : state) {
        fs::remove_all(output);
        if (expectedExit == 0) fs::create_directories(output);
        const ChildRun run = runChild(command, expectedExit);
        if (!run.ok) {
            state.SkipWithError((command[0] + " failed").c_str());
            return;
        }
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakMB);
    }
    state.counters["peak_MB"] = peak;
    if (expectedExit != 0) return;
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(output)) bytes += entry.file_size();
    state.counters["output_MB"] = bytes / 1e6;
}

void BM_VornelContour(benchmark::State& state) {
    prepare();
    std::string list;
    for (const std::string& level : levels()) list += (list.empty() ? "" : ",") + level;
    const fs::path output = benchFolder() / "ours";
    report(state, {VORNEL_CONTOUR_EXE, gridPath().string(), output.string(), "--depths", "--levels=" + list}, output);
}
BENCHMARK(BM_VornelContour)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

void BM_VornelContourXyz(benchmark::State& state) {
    prepareXyz();
    std::string list;
    for (const std::string& level : levels()) list += (list.empty() ? "" : ",") + level;
    const fs::path output = benchFolder() / "ours-xyz";
    report(state, {VORNEL_CONTOUR_EXE, xyzPath().string(), output.string(), "--depths", "--levels=" + list}, output);
}
BENCHMARK(BM_VornelContourXyz)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// A missing output folder is reported before the grid's values are read.
void BM_VornelContourRefusedBeforeReading(benchmark::State& state) {
    prepare();
    const fs::path missing = benchFolder() / "missing";
    report(state, {VORNEL_CONTOUR_EXE, gridPath().string(), missing.string(), "--depths"}, missing, 1);
}
BENCHMARK(BM_VornelContourRefusedBeforeReading)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// The peer: gdal_contour writing its default shapefile, the same levels.
void BM_PeerGdalContour(benchmark::State& state) {
    prepare();
    if (std::system("command -v gdal_contour >/dev/null 2>&1") != 0) {
        state.SkipWithError("gdal_contour is not installed (Debian package gdal-bin)");
        return;
    }
    const fs::path output = benchFolder() / "gdal";
    std::vector<std::string> command{"gdal_contour", "-q", "-a", "depth", "-fl"};
    for (const std::string& level : levels()) command.push_back(level);
    command.push_back(gridPath().string());
    command.push_back((output / "contours.shp").string());
    report(state, command, output);
}
BENCHMARK(BM_PeerGdalContour)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
