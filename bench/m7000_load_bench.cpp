// Loading M7000 data sets of five million points, and the peer figure: GDAL's
// ogr2ogr projecting the same shapefile to the same plane system.
//
// The files are generated once into a temporary folder: a shapefile of 5,000
// PolyLine records of 1,000 points (80 MB) with its table, and a text file
// of 5,000,000 lines (about 300 MB).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "bathymetry/contour_store.h"
#include "bathymetry/depth_levels.h"
#include "bathymetry/m7000_depth_table.h"
#include "bathymetry/m7000_levels.h"
#include "bathymetry/m7000_points.h"
#include "bathymetry/m7000_shapefile.h"
#include "bathymetry/m7000_text.h"
#include "platform/text.h"

namespace vornel {
namespace {

constexpr int kRecords = 5000;
constexpr int kPointsPerRecord = 1000;
constexpr int kPoints = kRecords * kPointsPerRecord;
constexpr int kDistinctDepths = 400;
// The plane system of the data: zone IX.
constexpr double kOriginLat = 36.0;
constexpr double kOriginLon = 139.0 + 50.0 / 60.0;

std::filesystem::path benchFolder() {
    return std::filesystem::temp_directory_path() / ("vornel_m7000_bench_" + std::to_string(getpid()));
}
std::wstring benchPath(const char* name) {
    return widen((benchFolder() / name).string());
}

double depthOf(int record) {
    return 1.0 + (record * 37 % kDistinctDepths) * 2.5;
}
void pointOf(int record, int i, double& lon, double& lat) {
    const double a = i * 0.00628 + record;
    lon = 140.5 + 0.3 * std::cos(a) + record * 1e-5;
    lat = 35.8 + 0.2 * std::sin(a) - record * 1e-5;
}

void put(std::string& out, const void* bytes, std::size_t n) {
    out.append(static_cast<const char*>(bytes), n);
}
void be32(std::string& out, std::uint32_t v) {
    const unsigned char b[4] = {static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
                                static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)};
    put(out, b, 4);
}
void le32(std::string& out, std::uint32_t v) {
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    put(out, b, 4);
}
void le64(std::string& out, double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    le32(out, static_cast<std::uint32_t>(u));
    le32(out, static_cast<std::uint32_t>(u >> 32));
}

void writeShapefile() {
    std::FILE* f = std::fopen((benchFolder() / "M7001.shp").c_str(), "wb");
    std::string out;
    const std::uint32_t content = 48 + 16 * kPointsPerRecord;
    be32(out, 9994);
    out.append(20, '\0');
    be32(out, static_cast<std::uint32_t>((100 + std::uint64_t{kRecords} * (8 + content)) / 2));
    le32(out, 1000);
    le32(out, 3);
    for (double v : {140.0, 35.4, 141.0, 36.2}) le64(out, v);
    out.append(32, '\0');
    for (int r = 0; r < kRecords; ++r) {
        be32(out, static_cast<std::uint32_t>(r + 1));
        be32(out, content / 2);
        le32(out, 3);
        for (double v : {140.0, 35.4, 141.0, 36.2}) le64(out, v);
        le32(out, 1);
        le32(out, kPointsPerRecord);
        le32(out, 0);
        for (int i = 0; i < kPointsPerRecord; ++i) {
            double lon, lat;
            pointOf(r, i, lon, lat);
            le64(out, lon);
            le64(out, lat);
        }
        if (out.size() > (1u << 20)) {
            std::fwrite(out.data(), 1, out.size(), f);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);

    // The index GDAL needs to open the file: offset and length of every record.
    std::string shx;
    be32(shx, 9994);
    shx.append(20, '\0');
    be32(shx, static_cast<std::uint32_t>((100 + 8 * kRecords) / 2));
    le32(shx, 1000);
    le32(shx, 3);
    for (double v : {140.0, 35.4, 141.0, 36.2}) le64(shx, v);
    shx.append(32, '\0');
    for (int r = 0; r < kRecords; ++r) {
        be32(shx, static_cast<std::uint32_t>((100 + static_cast<std::uint64_t>(r) * (8 + content)) / 2));
        be32(shx, content / 2);
    }
    f = std::fopen((benchFolder() / "M7001.shx").c_str(), "wb");
    std::fwrite(shx.data(), 1, shx.size(), f);
    std::fclose(f);

    std::string dbf;
    dbf += '\x03';
    dbf += "\x7e\x01\x01";
    le32(dbf, kRecords);
    dbf += static_cast<char>(65);
    dbf += '\0';
    dbf += static_cast<char>(11);
    dbf += '\0';
    dbf.append(20, '\0');
    std::string field = "Depth";
    field.resize(11, '\0');
    field += 'N';
    field.append(4, '\0');
    field += static_cast<char>(10);
    field += static_cast<char>(2);
    field.append(14, '\0');
    dbf += field;
    dbf += '\x0d';
    for (int r = 0; r < kRecords; ++r) dbf += " " + format("%10.2f", depthOf(r));
    dbf += '\x1a';
    f = std::fopen((benchFolder() / "M7001.dbf").c_str(), "wb");
    std::fwrite(dbf.data(), 1, dbf.size(), f);
    std::fclose(f);
}

void writeText() {
    std::FILE* f = std::fopen((benchFolder() / "M7002.txt").c_str(), "wb");
    std::string out;
    for (int r = 0; r < kRecords; ++r) {
        for (int i = 0; i < kPointsPerRecord; ++i) {
            double lon, lat;
            pointOf(r, i, lon, lat);
            out += format("%10d%7.2f%9.5f%10.5f%14s%8d\r\n", r * kPointsPerRecord + i, depthOf(r), lat, lon, "", r);
        }
        if (out.size() > (1u << 20)) {
            std::fwrite(out.data(), 1, out.size(), f);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
}

void prepare() {
    static bool done = false;
    if (done) return;
    done = true;
    std::filesystem::create_directories(benchFolder());
    writeShapefile();
    writeText();
}

void reportMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = usage.ru_maxrss / 1024.0;
    state.counters["points"] = contourStore().contourPointCount;
}

void BM_ShapefileEndToEnd(benchmark::State& state) {
    prepare();
    for (auto _ : state) {
        loadM7000Shapefile(nullptr, benchPath("M7001.shp"), benchPath("M7001.dbf"), kOriginLat, kOriginLon);
        benchmark::DoNotOptimize(contourStore().contourPointCount);
    }
    if (contourStore().contourPointCount != kPoints) state.SkipWithError("not every point was loaded");
    closeDepthTableCache();
    reportMemory(state);
}
BENCHMARK(BM_ShapefileEndToEnd)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TextEndToEnd(benchmark::State& state) {
    prepare();
    for (auto _ : state) {
        loadM7000Text(nullptr, benchPath("M7002.txt"), kOriginLat, kOriginLon);
        benchmark::DoNotOptimize(contourStore().contourPointCount);
    }
    if (contourStore().contourPointCount != kPoints) state.SkipWithError("not every point was loaded");
    reportMemory(state);
}
BENCHMARK(BM_TextEndToEnd)->Unit(benchmark::kMillisecond)->Iterations(3);

// The last step alone (projection, centre, level sort) over the points the
// text load staged.
void BM_FinishProjectCentreSort(benchmark::State& state) {
    prepare();
    if (m7000PointBuffer().m7000PointCount != kPoints)
        loadM7000Text(nullptr, benchPath("M7002.txt"), kOriginLat, kOriginLon);
    for (auto _ : state) {
        finishM7000Load(kOriginLat, kOriginLon);
        benchmark::DoNotOptimize(contourStore().dataCentre);
    }
    reportMemory(state);
}
BENCHMARK(BM_FinishProjectCentreSort)->Unit(benchmark::kMillisecond)->Iterations(3);

// The peer: ogr2ogr reading the same shapefile and writing it projected to
// zone IX into FlatGeobuf without spatial index (a format it writes fast).
void BM_PeerOgr2ogrToPlane(benchmark::State& state) {
    prepare();
    if (std::system("ogr2ogr --version >/dev/null 2>&1") != 0) {
        state.SkipWithError("ogr2ogr is not installed (Debian package gdal-bin)");
        return;
    }
    const std::string out = (benchFolder() / "peer.fgb").string();
    const std::string peak = (benchFolder() / "peer.peak").string();
    const bool timeTool = std::system("/usr/bin/time true >/dev/null 2>&1") == 0;
    const std::string command = format(
        "%sogr2ogr -f FlatGeobuf -lco SPATIAL_INDEX=NO -s_srs '+proj=longlat +ellps=GRS80 +no_defs' "
        "-t_srs '+proj=tmerc +lat_0=%.10f +lon_0=%.10f +k=0.9999 +x_0=0 +y_0=0 +ellps=GRS80 +units=m +no_defs' "
        "'%s' '%s'",
        timeTool ? ("/usr/bin/time -f %M -o '" + peak + "' ").c_str() : "", kOriginLat, kOriginLon, out.c_str(),
        (benchFolder() / "M7001.shp").c_str());
    for (auto _ : state) {
        std::filesystem::remove(out);
        const auto start = std::chrono::steady_clock::now();
        const int rc = std::system(command.c_str());
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        if (rc != 0) state.SkipWithError("ogr2ogr failed");
    }
    // Its peak resident memory, from /usr/bin/time (kilobytes).
    if (std::FILE* f = std::fopen(peak.c_str(), "rb")) {
        long kb = 0;
        if (std::fscanf(f, "%ld", &kb) == 1) state.counters["peer_peak_MB"] = kb / 1024.0;
        std::fclose(f);
    }
}
BENCHMARK(BM_PeerOgr2ogrToPlane)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// The level search with 10,000 distinct depths: every point of a data set
// whose depth changes at every point, the worst case for the run cache.
constexpr int kLevelPoints = 1'000'000;
double levelDepth(int i) {
    return (static_cast<std::uint32_t>(i) * 2654435761u % kDepthLevelCapacity) * 0.05;
}

void BM_LevelSearch10000Depths(benchmark::State& state) {
    for (auto _ : state) {
        resetM7000Levels();
        std::int64_t sum = 0;
        for (int i = 0; i < kLevelPoints; ++i) sum += findM7000DepthLevel(levelDepth(i));
        benchmark::DoNotOptimize(sum);
    }
    if (contourStore().depthLevelCount != kDepthLevelCapacity) state.SkipWithError("levels missing");
    state.SetItemsProcessed(state.iterations() * kLevelPoints);
}
BENCHMARK(BM_LevelSearch10000Depths)->Unit(benchmark::kMillisecond);

// The plain linear scan for comparison, on a hundredth of the points.
void BM_LevelSearchLinearScanReference(benchmark::State& state) {
    const int points = kLevelPoints / 100;
    for (auto _ : state) {
        ContourStore& s = contourStore();
        s.depthLevelCount = 0;
        std::int64_t sum = 0;
        for (int i = 0; i < points; ++i) {
            const double d = levelDepth(i);
            int k = 0;
            while (k < s.depthLevelCount && !(std::fabs(static_cast<double>(s.depthLevelList[k]) - d) < 0.01)) ++k;
            if (k == s.depthLevelCount) s.depthLevelList[s.depthLevelCount++] = static_cast<float>(d);
            sum += k;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * points);
}
BENCHMARK(BM_LevelSearchLinearScanReference)->Unit(benchmark::kMillisecond);

struct Cleanup {
    ~Cleanup() { std::filesystem::remove_all(benchFolder()); }
} cleanup;

}  // namespace
}  // namespace vornel

BENCHMARK_MAIN();
