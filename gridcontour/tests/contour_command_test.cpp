// The converter from grid file to data set: names, columns, coordinates, and
// the results that must write nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "bathymetry/m7000_text_columns.h"
#include "contour_command.h"
#include "geodesy/plane_rect.h"
#include "input_error.h"
#include "levels.h"

namespace gridcontour {
namespace {

namespace fs = std::filesystem;
namespace cols = vornel::m7000text;

class ContourCommand : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("gridcontour-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path writeGrid(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
        return folder_ / name;
    }
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const auto& entry : fs::directory_iterator(folder_)) result.push_back(entry.path().filename().string());
        std::sort(result.begin(), result.end());
        return result;
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder_;
};

// A seabed deepening eastwards, 1 m per column, in elevations.
std::string slopeGrid(int columns, int rows) {
    std::ostringstream text;
    text << "ncols " << columns << "\nnrows " << rows << "\nxllcorner 140\nyllcorner 35\ncellsize 0.001\n";
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) text << -(c + 0.5) << ' ';
        text << '\n';
    }
    return text.str();
}

TEST_F(ContourCommand, WritesTheColumnsVornelReadsUnderTheLowestFreeCode) {
    writeGrid("M7901_old.txt", "x");
    writeGrid("m7902.shp", "x");  // VORNEL's M7* search is blind to case
    ContourOptions options;
    options.grid = writeGrid("bay <2026>.asc", slopeGrid(5, 3));
    options.folder = folder_;
    options.levels = {2, 3};
    options.reservedCodes = {"M7903"};  // VORNEL's index already has an extent for it
    const ContourOutcome outcome = runContour(options);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.message;
    EXPECT_EQ(outcome.written, folder_ / "M7904_bay _2026_.txt");
    EXPECT_EQ(names(), (std::vector<std::string>{"M7901_old.txt", "M7904_bay _2026_.txt", "bay <2026>.asc", "m7902.shp"}));

    // Depth 2 lies half-way between the nodes of columns 1 and 2 (1.5 m, 2.5 m).
    const std::string text = read(outcome.written);
    std::istringstream lines(text);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ASSERT_EQ(line.size(), cols::kLineLength + 1) << line;
        EXPECT_EQ(line.back(), '\r');
        const double depth = std::stod(line.substr(cols::kDepthOffset, cols::kDepthWidth));
        const double lat = std::stod(line.substr(cols::kLatOffset, cols::kLatWidth));
        const double lon = std::stod(line.substr(cols::kLonOffset, cols::kLonWidth));
        const int id = std::stoi(line.substr(cols::kLineIdOffset, cols::kLineIdWidth));
        EXPECT_EQ(id, depth == 2 ? 1 : 2);  // one line per level here, each with its own number
        EXPECT_NEAR(lon, 140.0005 + (depth - 0.5) * 0.001, 1e-9);
        EXPECT_GE(lat, 35.0005 - 1e-9);
        EXPECT_LE(lat, 35.0025 + 1e-9);
        ++count;
    }
    EXPECT_EQ(count, 6);
    EXPECT_EQ(text.substr(cols::kDepthOffset, cols::kLatWidth + cols::kDepthWidth), "   2.0035.002500");
}

TEST_F(ContourCommand, PlaneRectangularMetresBecomeDegrees) {
    // Zone IX (origin 36° N, 139° 50′ E); x east, y north, depths.
    ContourOptions options;
    options.grid = writeGrid("survey.xyz", "-30000 20000 1\n-29000 20000 3\n-30000 19000 1\n-29000 19000 3\n");
    options.folder = folder_;
    options.depths = true;
    options.zone = 9;
    options.levels = {2};
    const ContourOutcome outcome = runContour(options);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.message;
    const std::string text = read(outcome.written);
    ASSERT_GE(text.size(), cols::kLineLength);
    double lat = 0, lon = 0;
    vornel::fromPlaneRect(20000, -29500, 36, 139 + 50.0 / 60, lat, lon);  // the first vertex, north row
    EXPECT_NEAR(std::stod(text.substr(cols::kLatOffset, cols::kLatWidth)), lat, 1e-6);
    EXPECT_NEAR(std::stod(text.substr(cols::kLonOffset, cols::kLonWidth)), lon, 1e-6);
}

TEST_F(ContourCommand, ResultsThatCannotBeUsedWriteNothing) {
    ContourOptions options;
    options.grid = writeGrid("slope.asc", slopeGrid(5, 3));
    options.folder = folder_;
    const auto before = names();

    options.levels = {50};
    ContourOutcome outcome = runContour(options);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.message.find("slope.asc"), std::string::npos) << "names the grid: " << outcome.message;

    options.levels = {2};
    options.depths = true;  // the grid's values read as depths are all above the sea
    EXPECT_EQ(runContour(options).exitCode, 1);
    options.depths = false;

    options.folder = folder_ / "missing";
    EXPECT_EQ(runContour(options).exitCode, 1);
    options.folder = folder_;

    for (int n = 1; n <= 99; ++n) options.reservedCodes.insert("M79" + std::string(n < 10 ? "0" : "") + std::to_string(n));
    EXPECT_EQ(runContour(options).exitCode, 1);
    options.reservedCodes.clear();

    // Coordinates that are metres without --zone do not fit the degree columns.
    options.grid = writeGrid("metres.xyz", "-30000 20000 1\n-29000 20000 3\n-30000 19000 1\n-29000 19000 3\n");
    options.depths = true;
    outcome = runContour(options);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.message.find("--zone"), std::string::npos) << outcome.message;

    // A checkerboard crosses the level in every cell: far beyond 5,000,000 points.
    std::ostringstream board;
    board << "ncols 1700\nnrows 1700\nxllcorner 140\nyllcorner 35\ncellsize 0.0001\n";
    for (int r = 0; r < 1700; ++r) {
        for (int c = 0; c < 1700; ++c) board << ((r + c) % 2 ? "1 " : "3 ");
        board << '\n';
    }
    options.grid = writeGrid("board.asc", board.str());
    options.levels = {2};
    outcome = runContour(options);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.message.find("5000000"), std::string::npos) << outcome.message;

    auto after = names();
    after.erase(std::remove(after.begin(), after.end(), "metres.xyz"), after.end());
    after.erase(std::remove(after.begin(), after.end(), "board.asc"), after.end());
    EXPECT_EQ(after, before) << "no data set and no temporary file left";
}

TEST(ContourLevels, DefaultsAndTypedLists) {
    const auto levels = defaultLevels();
    EXPECT_EQ(levels.front(), 1);
    EXPECT_EQ(std::count_if(levels.begin(), levels.end(), [](double d) { return d <= 20; }), 20);
    EXPECT_TRUE(std::is_sorted(levels.begin(), levels.end()));
    for (double d : {25.0, 50.0, 60.0, 200.0, 250.0, 1000.0, 1500.0, 9500.0})
        EXPECT_NE(std::find(levels.begin(), levels.end(), d), levels.end()) << d;
    EXPECT_EQ(std::find(levels.begin(), levels.end(), 21.0), levels.end());
    EXPECT_EQ(levels.back(), 9500);

    EXPECT_EQ(parseLevels("30, 5.004,10,5"), (std::vector<double>{5, 10, 30}));
    for (const char* bad : {"", "5,", "0", "-3", "10000", "abc", "5;6", "nan"}) EXPECT_THROW(parseLevels(bad), InputError) << bad;
    std::string many;
    for (int i = 1; i <= 10001; ++i) many += std::to_string(i * 0.5) + ",";
    many.pop_back();
    EXPECT_THROW(parseLevels(many), InputError);

    EXPECT_THROW(parseArguments({"grid.asc", "--zone=20"}), InputError);
    EXPECT_THROW(parseArguments({"grid.asc", "--colour"}), InputError);
    EXPECT_THROW(parseArguments({"--depths"}), InputError);
    const auto options = parseArguments({"grid.asc", "out", "--depths", "--levels=3,1", "--zone=9"});
    EXPECT_EQ(options.folder, "out");
    EXPECT_TRUE(options.depths);
    EXPECT_EQ(options.zone, 9);
    EXPECT_EQ(*options.levels, (std::vector<double>{1, 3}));
}

}  // namespace
}  // namespace gridcontour
