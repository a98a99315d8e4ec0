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
#include "m7000_writer.h"

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

    // Runs `options`, which must be refused with a message holding `expected`,
    // leaving the folder as it was.
    void expectRefused(const ContourOptions& options, const std::string& expected) {
        const auto before = names();
        const ContourOutcome outcome = runContour(options);
        EXPECT_EQ(outcome.exitCode, 1) << outcome.message;
        EXPECT_NE(outcome.message.find(expected), std::string::npos) << "expected " << expected << " in " << outcome.message;
        EXPECT_EQ(names(), before) << "nothing written for " << outcome.message;
    }
    // Runs `options`, which must succeed; the data set's bytes, then removed.
    std::string dataSetOf(const ContourOptions& options, std::string* message = nullptr) {
        const ContourOutcome outcome = runContour(options);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.message;
        if (message) *message = outcome.message;
        const std::string text = read(outcome.written);
        fs::remove(outcome.written);
        return text;
    }

    fs::path folder_;
};

// An ESRI ASCII grid of `rows` (north first) at 0.001° cells from 140° E, 35° N.
std::string ascOf(const std::vector<std::vector<double>>& rows, const char* noData = nullptr) {
    std::ostringstream text;
    text.precision(10);
    text << "ncols " << rows[0].size() << "\nnrows " << rows.size()
         << "\nxllcorner 140\nyllcorner 35\ncellsize 0.001\n";
    if (noData) text << "NODATA_value " << noData << "\n";
    for (const auto& row : rows) {
        for (double v : row) text << v << ' ';
        text << '\n';
    }
    return text.str();
}

// The same nodes as GDAL's XYZ export writes them: x y z a line, north first.
std::string xyzOf(const std::vector<std::vector<double>>& rows) {
    std::ostringstream text;
    text.precision(12);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            text << 140.0005 + 0.001 * c << ' ' << 35.0005 + 0.001 * (rows.size() - 1 - r) << ' ' << rows[r][c] << '\n';
    return text.str();
}

// A coast in elevations: three columns of land (5, 3, 1 m), then the sea
// deepening 2 m a column.
std::vector<std::vector<double>> coast(int rows = 4, int columns = 10) {
    std::vector<std::vector<double>> grid(rows);
    for (auto& row : grid)
        for (int c = 0; c < columns; ++c) row.push_back(5 - 2 * c);
    return grid;
}

std::vector<std::vector<double>> negated(std::vector<std::vector<double>> grid) {
    for (auto& row : grid)
        for (double& v : row) v = -v;
    return grid;
}

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

    // A long name is cut to 100 bytes between characters (40 of 3 bytes: 120).
    std::string longName;
    for (int i = 0; i < 40; ++i) longName += "湾";
    const fs::path chosen = chooseDataSetName(folder_, fs::path(longName), {});
    const std::string stem = chosen.filename().string().substr(6);
    EXPECT_EQ(stem, longName.substr(0, 99) + ".txt") << "33 whole characters";

    // A ring so small that its crossings round to one place is not written;
    // the 1.5 m ring around it is, with no point twice in a row.
    options.grid = writeGrid("pit.asc", ascOf({{-1, -1, -1}, {-1, -2.000000001, -1}, {-1, -1, -1}}));
    options.levels = {1.5, 2};
    std::string message;
    const std::string pit = dataSetOf(options, &message);
    EXPECT_NE(message.find("等深線 1本（水深1種類、5点）"), std::string::npos) << message;
    EXPECT_EQ(std::count(pit.begin(), pit.end(), '\n'), 5);
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
    for (const char* says : {"5,000,000点", "水深 2 m（6,774,353点）", "セルを約1.5倍", "--area="})
        EXPECT_NE(outcome.message.find(says), std::string::npos) << says << " in " << outcome.message;

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

    // A wrong value is named as a value, a wrong option as an option.
    const auto refusal = [](const std::vector<fs::path>& arguments) {
        try {
            parseArguments(arguments);
        } catch (const InputError& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(refusal({"grid.asc", "--zone=20"}).find("--zone の「20」"), std::string::npos);
    EXPECT_NE(refusal({"grid.asc", "--nodata=abc"}).find("--nodata の「abc」は数値ではありません"), std::string::npos);
    EXPECT_NE(refusal({"grid.asc", "--nodata"}).find("--nodata の値がありません"), std::string::npos);
    EXPECT_NE(refusal({"grid.asc", "--area=36,141,35,140"}).find("--area の「"), std::string::npos) << "south above north";
    EXPECT_NE(refusal({"grid.asc", "--colour"}).find("オプション「--colour」"), std::string::npos);
    EXPECT_NE(refusal({"--depths"}).find("使い方"), std::string::npos);
    EXPECT_EQ(refusal({"grid.asc", "out", "extra"}).find("accepted"), std::string::npos);
    auto options = parseArguments({"grid.asc", "out", "--depths", "--levels=3,1", "--zone=9"});
    EXPECT_EQ(options.folder, "out");
    EXPECT_TRUE(options.depths);
    EXPECT_EQ(options.zone, 9);
    EXPECT_EQ(*options.levels, (std::vector<double>{1, 3}));
    // The value may come as the next argument; -h and --help ask for the usage.
    options = parseArguments({"grid.xyz", "--zone", "9", "--nodata", "-9999", "--area", "35.5,140.5,36,141", "--levels", "5"});
    EXPECT_EQ(options.zone, 9);
    EXPECT_EQ(*options.nodata, -9999);
    EXPECT_EQ(options.area->north, 36);
    EXPECT_EQ(options.area->west, 140.5);
    EXPECT_EQ(options.folder, "") << "-9999 is the NODATA value, not the folder";
    EXPECT_TRUE(parseArguments({"-h"}).help);
    EXPECT_TRUE(parseArguments({"grid.asc", "--help"}).help);
}

TEST_F(ContourCommand, MislabelledValuesWriteNothing) {
    ContourOptions options;
    options.folder = folder_;
    // Elevations read as elevations; the success line counts the land.
    options.grid = writeGrid("coast.asc", ascOf(coast()));
    std::string message;
    const std::string plain = dataSetOf(options, &message);
    EXPECT_NE(message.find("陸とした格子点 12点"), std::string::npos) << message;
    EXPECT_NE(message.find("水深 1～13 m"), std::string::npos) << message;
    // The same elevations given --depths: the land would be contoured.
    options.depths = true;
    expectRefused(options, "--depths を外して");
    // Depths whose land is negative, without --depths.
    options.grid = writeGrid("depths.asc", ascOf(negated(coast())));
    options.depths = false;
    expectRefused(options, "--depths を付けて");
    options.depths = true;
    EXPECT_EQ(dataSetOf(options), plain);
    // Sea-only depths (land NODATA) without --depths: all of it would be land.
    auto seaOnly = negated(coast());
    for (auto& row : seaOnly) row[0] = row[1] = row[2] = -9999;
    options.grid = writeGrid("sea.asc", ascOf(seaOnly, "-9999"));
    options.depths = false;
    expectRefused(options, "すべて");

    // GDAL's XYZ export keeps NODATA as -9999: refused until --nodata names it,
    // then the same data set as the grid with the land marked in its header.
    auto withLand = coast();
    for (auto& row : withLand) row[0] = row[1] = row[2] = -9999;
    options.grid = writeGrid("land.asc", ascOf(withLand, "-9999"));
    const std::string marked = dataSetOf(options);
    options.grid = writeGrid("export.xyz", xyzOf(withLand));
    expectRefused(options, "--nodata=-9999");
    options.nodata = -9999;
    EXPECT_EQ(dataSetOf(options), marked);
    options.nodata.reset();
    // -32768 on a single node is deeper than any sea.
    auto spike = coast();
    spike[1][5] = -32768;
    options.grid = writeGrid("spike.asc", ascOf(spike));
    expectRefused(options, "--nodata=-32768");
    // A lone -5000 among depths of a few metres is no seabed either...
    spike[1][5] = -5000;
    options.grid = writeGrid("spike.asc", ascOf(spike));
    expectRefused(options, "--nodata=-5000");
    // ...but a real deep seabed, down to 7,000 m in 1,400 m steps, is.
    auto trench = coast(3, 8);
    for (auto& row : trench)
        for (std::size_t c = 3; c < row.size(); ++c) row[c] = -1400.0 * (c - 2);
    options.grid = writeGrid("trench.asc", ascOf(trench));
    dataSetOf(options);
    // Nothing but NODATA.
    options.grid = writeGrid("empty.asc", ascOf(std::vector<std::vector<double>>(3, {-9999, -9999, -9999}), "-9999"));
    expectRefused(options, "すべてデータなし");
}

// The .prj that GDAL writes beside an .asc of plane rectangular zone IX.
const char kZone9Prj[] =
    R"(PROJCS["JGD_2011_Japan_Zone_9",GEOGCS["GCS_JGD_2011",DATUM["D_JGD_2011",SPHEROID["GRS_1980",6378137.0,)"
    R"(298.257222101]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]],PROJECTION["Transverse_Mercator"],)"
    R"(PARAMETER["False_Easting",0.0],PARAMETER["False_Northing",0.0],PARAMETER["Central_Meridian",139.833333333333],)"
    R"(PARAMETER["Scale_Factor",0.9999],PARAMETER["Latitude_Of_Origin",36.0],UNIT["Meter",1.0]])";

TEST_F(ContourCommand, PrjAndZonePlaceTheGrid) {
    const std::string metres =
        "ncols 3\nnrows 3\nxllcorner 20000\nyllcorner -30000\ncellsize 500\n-1 -3 -5\n-1 -3 -5\n-1 -3 -5\n";
    ContourOptions options;
    options.folder = folder_;
    options.levels = {2, 4};
    options.grid = writeGrid("plain.asc", metres);
    options.zone = 9;
    std::string message;
    const std::string byZone = dataSetOf(options, &message);
    EXPECT_NE(message.find("第9系（--zone）"), std::string::npos) << message;
    // With GDAL's .prj beside it, no --zone is needed, and a wrong one is refused.
    options.grid = writeGrid("survey.asc", metres);
    writeGrid("survey.prj", kZone9Prj);
    options.zone = 0;
    EXPECT_EQ(dataSetOf(options, &message), byZone);
    EXPECT_NE(message.find("第9系（.prj から）"), std::string::npos) << message;
    options.zone = 10;
    expectRefused(options, "第9系）と食い違います");
    options.zone = 0;
    // Systems that cannot be placed are refused by name, with the conversion.
    const auto replaced = [](std::string text, const std::vector<std::pair<std::string, std::string>>& changes) {
        for (const auto& [from, to] : changes) text.replace(text.find(from), from.size(), to);
        return text;
    };
    writeGrid("survey.prj", replaced(kZone9Prj, {{"Japan_Zone_9", "UTM_Zone_54N"},
                                                 {"Easting\",0.0", "Easting\",500000.0"},
                                                 {"139.833333333333", "141.0"},
                                                 {"0.9999", "0.9996"},
                                                 {"Origin\",36.0", "Origin\",0.0"}}));
    expectRefused(options, "UTM（第54帯）です。");
    expectRefused(options, "gdalwarp -t_srs EPSG:6668 -r bilinear -of AAIGrid \"survey.asc\" \"survey_jgd2011.asc\"");
    writeGrid("survey.prj", replaced(kZone9Prj, {{"D_JGD_2011", "D_Tokyo"}}));
    expectRefused(options, "EPSG:6677");
    writeGrid("survey.prj", "EPSG:6677");
    expectRefused(options, "survey.prj を読めません");

    // Degrees given --zone: by their .prj, or by cells of a thousandth of a metre.
    options.grid = writeGrid("degrees.asc", ascOf(coast()));
    writeGrid("degrees.prj",
              R"(GEOGCS["GCS_JGD_2011",DATUM["D_JGD_2011",SPHEROID["GRS_1980",6378137.0,298.257222101004]],)"
              R"(PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])");
    options.zone = 9;
    options.levels.reset();
    expectRefused(options, "--zone=9 を外して");
    fs::remove(folder_ / "degrees.prj");
    expectRefused(options, "--zone=9 を外して");
    // UTM metres given --zone land near the pole; degrees outside Japan are refused too.
    options.grid = writeGrid("utm.asc", "ncols 3\nnrows 3\nxllcorner 400000\nyllcorner 3980000\ncellsize 500\n"
                                        "-1 -3 -5\n-1 -3 -5\n-1 -3 -5\n");
    expectRefused(options, "日本の海域（北緯 20～46 度、東経 122～154 度）の外です");
    options.zone = 0;
    expectRefused(options, "メートルのようです");
    options.grid = writeGrid("north-sea.asc", "ncols 3\nnrows 3\nxllcorner 2\nyllcorner 55\ncellsize 0.01\n"
                                              "-1 -3 -5\n-1 -3 -5\n-1 -3 -5\n");
    expectRefused(options, "日本の海域");
}

// The ways the same grid comes to users: each gives the data set of the
// ESRI ASCII grid with its land marked NODATA.
TEST_F(ContourCommand, VariantsOfOneGridGiveTheSameDataSet) {
    auto grid = coast(5, 9);
    for (auto& row : grid) row[0] = row[1] = row[2] = -9999;
    ContourOptions options;
    options.folder = folder_;
    options.grid = writeGrid("plain.asc", ascOf(grid, "-9999"));
    std::string message;
    const std::string plain = dataSetOf(options, &message);
    ASSERT_FALSE(plain.empty());

    auto withNan = grid;
    for (auto& row : withNan) row[0] = row[1] = row[2] = std::nan("");
    std::string lonLat = xyzOf(withNan), seaOnly, latLon;
    for (std::size_t r = 0; r < grid.size(); ++r)
        for (std::size_t c = 3; c < grid[r].size(); ++c) {
            const std::string x = std::to_string(140.0005 + 0.001 * c), y = std::to_string(35.0005 + 0.001 * (grid.size() - 1 - r));
            const std::string z = std::to_string(grid[r][c]);
            seaOnly += x + " " + y + " " + z + "\n";
            latLon += y + "," + x + "," + z + "\r\n";  // a mesh file: latitude first
        }
    const struct {
        const char* name;
        std::string text;
    } variants[] = {
        {"nan.asc", ascOf(withNan, "nan")},  // float grids from Python and netCDF
        {"bom.asc", "\xEF\xBB\xBF" + ascOf(grid, "-9999")},  // Notepad's UTF-8 with its mark
        {"nan.xyz", lonLat},
        {"sea-only.xyz", seaOnly},  // the land left out
        {"latitude-first.csv", "\xEF\xBB\xBFlat,lon,depth\r\n" + latLon},
    };
    for (const auto& variant : variants) {
        options.grid = writeGrid(variant.name, variant.text);
        EXPECT_EQ(dataSetOf(options, &message), plain) << variant.name << ": " << message;
        if (std::string(variant.name) == "latitude-first.csv") {
            EXPECT_NE(message.find("緯度が先"), std::string::npos) << message;
        }
    }
    options.grid = writeGrid("nan.asc", ascOf(withNan, "-9999"));
    options.nodata = std::nan("");
    EXPECT_EQ(dataSetOf(options), plain) << "--nodata=nan";
    options.nodata.reset();

    // A folder, and a file that is all NODATA, say so.
    options.grid = folder_;
    expectRefused(options, "フォルダーが指定されています");
}

// What needs no value of the grid is checked before the values are read:
// a grid whose values are all broken still gets the folder's or the
// coordinates' message. --area contours the nodes around the area only.
TEST_F(ContourCommand, EarlyChecksAndTheArea) {
    ContourOptions options;
    options.grid = writeGrid("broken.asc", "ncols 3\nnrows 3\nxllcorner 140\nyllcorner 35\ncellsize 0.001\n1 x x\n");
    options.folder = folder_ / "missing";
    expectRefused(options, "フォルダーがありません");
    options.folder = folder_;
    options.zone = 9;
    expectRefused(options, "--zone=9 を外して");
    options.zone = 0;
    options.grid = writeGrid("metres.asc", "ncols 3\nnrows 3\nxllcorner 40000\nyllcorner 20000\ncellsize 100\n1 x x\n");
    expectRefused(options, "メートルのようです");

    // A 20 × 12 coast cut by --area to columns 5–12 and rows 3–8: the data
    // set of the grid holding just those nodes.
    const auto wide = coast(12, 20);
    std::vector<std::vector<double>> cut;
    for (int r = 3; r <= 8; ++r) cut.emplace_back(wide[r].begin() + 5, wide[r].begin() + 13);
    std::ostringstream cutText;
    cutText << "ncols 8\nnrows 6\nxllcorner 140.005\nyllcorner 35.003\ncellsize 0.001\n";
    for (const auto& row : cut) {
        for (double v : row) cutText << v << ' ';
        cutText << '\n';
    }
    options.grid = writeGrid("cut.asc", cutText.str());
    const std::string expected = dataSetOf(options);
    options.grid = writeGrid("wide.asc", ascOf(wide));
    // Nodes at 140.0005 + 0.001·c and 35.0115 − 0.001·r: the area lies
    // inside columns 5–12 and rows 3–8 and reaches into the outer ones.
    options.area = Area{35.0036, 140.0056, 35.0084, 140.0124};
    std::string message;
    EXPECT_EQ(dataSetOf(options, &message), expected);
    EXPECT_NE(message.find("--area の範囲 8列 × 6行"), std::string::npos) << message;
    options.area = Area{36.5, 141, 37, 142};
    expectRefused(options, "--area の範囲にグリッドのセルがありません");
}

}  // namespace
}  // namespace gridcontour
