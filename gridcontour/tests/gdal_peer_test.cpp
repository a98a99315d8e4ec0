// vornel-contour beside GDAL's gdal_contour on the same grids and levels: a
// seabed with rings, lines leaving through every border and a NODATA block,
// a rough grid full of saddle cells, the seabed as GEBCO gives it (elevations,
// with land), and the seabed in plane rectangular zone IX with the .prj GDAL
// writes (GDAL's contours turned into degrees by ogr2ogr, so that PROJ checks
// our conversion too). Skipped where GDAL is not installed.
//
// Where the two differ by design the comparison makes room for it:
// - gdal_contour also draws half a cell beyond the outermost nodes and into
//   cells with a NODATA corner, where we draw nothing: only its segments inside
//   cells with four valid corners are compared;
// - gdal_contour 3.6 draws every saddle cell one way (cutting off the top right
//   and bottom left corners), where we follow the cell mean: in the saddle
//   cells where the mean says otherwise, its four crossings are paired the
//   other way before comparing.
// What remains must be the same segments between the same crossings, joined
// by us into lines that end only where no segment continues them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bathymetry/m7000_text_columns.h"

namespace {

namespace fs = std::filesystem;
namespace cols = vornel::m7000text;

constexpr double kNoData = -9999;
// Our columns round to 1e-6°; GDAL's coordinates are exact.
constexpr double kVertexTolerance = 1.2e-6;

struct Vertex {
    double lon, lat;
};
struct Segment {
    Vertex a, b;
};
struct Line {
    long depthCm;
    std::vector<Vertex> points;
};

// Depths in file order (north row first), kNoData where there is none; the
// grid's nodes at cell centres, as both programs read an ASCII grid. x and y
// are degrees, or metres of plane rectangular zone IX.
struct Grid {
    int columns, rows;
    double cell;
    std::vector<double> depths;
    double west = 140.0, south = 30.0;  // the lower left corner of the grid
    bool elevations = false;            // written as GEBCO gives them: negative below the sea
    int zone = 0;                       // 9: metres of zone IX, with GDAL's .prj beside
    double at(int column, int row) const { return depths[static_cast<std::size_t>(row * columns + column)]; }
    double xOf(double column) const { return west + (column + 0.5) * cell; }
    double yOf(double row) const { return south + (rows - 0.5 - row) * cell; }
};

std::string ascText(const Grid& grid) {
    std::ostringstream text;
    text.precision(12);
    text << "ncols " << grid.columns << "\nnrows " << grid.rows << "\nxllcorner " << grid.west << "\nyllcorner "
         << grid.south << "\ncellsize " << grid.cell << "\nNODATA_value " << kNoData << "\n";
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            const double depth = grid.at(c, r);
            text << (grid.elevations && depth != kNoData ? -depth : depth) << (c + 1 < grid.columns ? " " : "\n");
        }
    return text.str();
}

// A sloping seabed with a deep basin and a shoal (closed rings), lines that
// leave through every border, and a NODATA block they cross.
Grid seabedGrid() {
    Grid grid{83, 61, 0.01, {}};
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            const double basin = 28 * std::exp(-((c - 24.3) * (c - 24.3) + (r - 19.7) * (r - 19.7)) / 70);
            const double shoal = -18 * std::exp(-((c - 58.1) * (c - 58.1) + (r - 41.4) * (r - 41.4)) / 45);
            double depth = 6.13 + 0.55 * c + 0.21 * r + basin + shoal + 2.3 * std::sin(0.31 * c + 0.17 * r);
            if (r >= 27 && r <= 33 && c >= 38 && c <= 45) depth = kNoData;
            grid.depths.push_back(depth);
        }
    return grid;
}

// Values jumping from node to node: most cells cross several levels and many
// are saddles, decided both ways by the cell mean.
Grid roughGrid() {
    Grid grid{41, 33, 0.1, {}};
    unsigned state = 12345;
    for (int i = 0; i < grid.columns * grid.rows; ++i) {
        state = state * 1103515245u + 12345u;
        grid.depths.push_back(3.0 + 94.0 * ((state >> 8) & 0xFFFFF) / double(0x100000) + 1e-4 * (i % 7));
    }
    grid.depths[500] = kNoData;  // a lone hole among saddles
    return grid;
}

// A stretch of coast as GEBCO gives it at 15″: land rising to about 300 m in
// the west, a shelf falling to some 250 m with a bank on it; no NODATA.
Grid gebcoGrid() {
    Grid grid{72, 54, 15.0 / 3600, {}};
    grid.west = 140.45;
    grid.south = 35.6;
    grid.elevations = true;
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            const double offshore = c - 14.3 - 5 * std::sin(0.21 * r);  // cells from the coastline
            double depth = offshore < 0 ? 21.7 * offshore - 3.1 * std::sin(0.7 * r + 0.3 * c)
                                        : 3.7 * offshore + 0.031 * offshore * offshore;
            depth -= 120 * std::exp(-((c - 60.2) * (c - 60.2) + (r - 30.6) * (r - 30.6)) / 20);  // the bank
            grid.depths.push_back(depth + 0.013 * std::sin(1.3 * c + 2.1 * r));
        }
    return grid;
}

// The seabed grid on 50 m cells of plane rectangular zone IX, off 鹿島.
Grid zone9Grid() {
    Grid grid = seabedGrid();
    grid.cell = 50;
    grid.west = 78000;
    grid.south = -12000;
    grid.zone = 9;
    return grid;
}

std::string lastOutputLine(const std::string& command) {
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string output, last;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    if (pclose(pipe) != 0) return {};
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) last = line;
    return last;
}

std::vector<Line> readOurs(const fs::path& dataSet) {
    std::vector<Line> lines;
    std::ifstream in(dataSet, std::ios::binary);
    long long current = -1;
    for (std::string text; std::getline(in, text);) {
        const long long id = std::stoll(text.substr(cols::kLineIdOffset, cols::kLineIdWidth));
        if (id != current) {
            lines.push_back({std::lround(100 * std::stod(text.substr(cols::kDepthOffset, cols::kDepthWidth))), {}});
            current = id;
        }
        lines.back().points.push_back({std::stod(text.substr(cols::kLonOffset, cols::kLonWidth)),
                                       std::stod(text.substr(cols::kLatOffset, cols::kLatWidth))});
    }
    return lines;
}

// gdal_contour's CSV: "LINESTRING (x y,x y,...)","id",depth; with elevations
// the levels are negative depths.
std::vector<Line> readGdal(const fs::path& csv, bool elevations) {
    std::vector<Line> lines;
    std::ifstream in(csv);
    std::string text;
    std::getline(in, text);  // header
    while (std::getline(in, text)) {
        const auto open = text.find('('), close = text.find(')');
        if (open == std::string::npos || close == std::string::npos) continue;
        std::string field = text.substr(text.rfind(',') + 1);
        field.erase(std::remove(field.begin(), field.end(), '"'), field.end());  // ogr2ogr quotes it
        const double level = std::stod(field);
        Line line{std::lround(100 * (elevations ? -level : level)), {}};
        std::istringstream coordinates(text.substr(open + 1, close - open - 1));
        for (std::string pair; std::getline(coordinates, pair, ',');) {
            Vertex v{};
            std::istringstream(pair) >> v.lon >> v.lat;
            line.points.push_back(v);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// The cell a point inside it lies in; false outside the grid's nodes.
bool cellOf(const Grid& grid, Vertex v, int& column, int& row) {
    column = static_cast<int>(std::floor((v.lon - grid.west) / grid.cell - 0.5));
    row = static_cast<int>(std::floor(grid.rows - 0.5 - (v.lat - grid.south) / grid.cell));
    return column >= 0 && row >= 0 && column + 1 < grid.columns && row + 1 < grid.rows;
}

bool allCornersValid(const Grid& grid, int c, int r) {
    for (const double depth : {grid.at(c, r), grid.at(c + 1, r), grid.at(c, r + 1), grid.at(c + 1, r + 1)})
        if (depth == kNoData) return false;
    return true;
}

// A saddle cell at `level` whose cell mean pairs the crossings unlike GDAL,
// which always cuts off the top right and bottom left corners.
bool saddlePairedOtherwise(const Grid& grid, int c, int r, double level) {
    const double tl = grid.at(c, r), tr = grid.at(c + 1, r), br = grid.at(c + 1, r + 1), bl = grid.at(c, r + 1);
    const bool tlDeep = tl >= level, trDeep = tr >= level, brDeep = br >= level, blDeep = bl >= level;
    if (tlDeep != brDeep || trDeep != blDeep || tlDeep == trDeep) return false;
    const bool deepConnect = (tl + tr + br + bl) / 4 >= level;
    const bool cutsTopRight = deepConnect ? !trDeep : trDeep;
    return !cutsTopRight;
}

struct GdalSegments {
    std::map<long, std::vector<Segment>> byLevel;
    int repaired = 0;       // saddle cells paired the other way
    int unpairable = 0;     // saddle cells without their four crossings
};

// GDAL's segments inside cells with four valid corners, picked in the grid's
// own coordinates (`lines`) and given in degrees (`geo`: the same lines
// converted, vertex for vertex).
GdalSegments gdalSegmentsInValidCells(const Grid& grid, const std::vector<Line>& lines, const std::vector<Line>& geo) {
    GdalSegments result;
    // Each crossing of a saddle cell: where it lies in the grid, and in degrees.
    std::map<std::tuple<long, int, int>, std::vector<std::pair<Vertex, Vertex>>> saddles;
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const Line& line = lines[l];
        for (std::size_t i = 0; i + 1 < line.points.size(); ++i) {
            const Vertex a = line.points[i], b = line.points[i + 1];
            int c = 0, r = 0;
            if (!cellOf(grid, {(a.lon + b.lon) / 2, (a.lat + b.lat) / 2}, c, r) || !allCornersValid(grid, c, r)) continue;
            const Vertex geoA = geo[l].points[i], geoB = geo[l].points[i + 1];
            if (saddlePairedOtherwise(grid, c, r, line.depthCm / 100.0)) {
                auto& crossings = saddles[{line.depthCm, c, r}];
                crossings.emplace_back(a, geoA);
                crossings.emplace_back(b, geoB);
            } else {
                result.byLevel[line.depthCm].push_back({geoA, geoB});
            }
        }
    }
    for (const auto& [key, crossings] : saddles) {
        const auto [depthCm, c, r] = key;
        // Pair the top crossing with the left one and the bottom with the right.
        Vertex top{}, left{}, bottom{}, right{};
        int found = 0;
        for (const auto& [v, geoV] : crossings) {
            const double tolerance = 1e-9 * std::max(1.0, grid.cell * 1e3);
            if (std::fabs(v.lat - grid.yOf(r)) < tolerance) top = geoV, found |= 1;
            else if (std::fabs(v.lon - grid.xOf(c)) < tolerance) left = geoV, found |= 2;
            else if (std::fabs(v.lat - grid.yOf(r + 1)) < tolerance) bottom = geoV, found |= 4;
            else if (std::fabs(v.lon - grid.xOf(c + 1)) < tolerance) right = geoV, found |= 8;
        }
        if (crossings.size() != 4 || found != 15) {
            ++result.unpairable;
            continue;
        }
        result.byLevel[depthCm].push_back({top, left});
        result.byLevel[depthCm].push_back({bottom, right});
        ++result.repaired;
    }
    return result;
}

bool byLongitude(const Vertex& a, const Vertex& b) { return a.lon < b.lon || (a.lon == b.lon && a.lat < b.lat); }

// The index of the vertex in `sorted` nearest to `v` within the tolerance, or -1.
int vertexIndex(const std::vector<Vertex>& sorted, Vertex v) {
    auto it = std::lower_bound(sorted.begin(), sorted.end(), Vertex{v.lon - kVertexTolerance, -1e9}, byLongitude);
    int best = -1;
    double bestDistance = 2 * kVertexTolerance;
    for (; it != sorted.end() && it->lon <= v.lon + kVertexTolerance; ++it) {
        const double distance = std::max(std::fabs(it->lon - v.lon), std::fabs(it->lat - v.lat));
        if (distance <= kVertexTolerance && distance < bestDistance) {
            best = static_cast<int>(it - sorted.begin());
            bestDistance = distance;
        }
    }
    return best;
}

double lengthOf(const std::vector<Segment>& segments) {
    double length = 0;
    for (const Segment& s : segments) length += std::hypot(s.b.lon - s.a.lon, s.b.lat - s.a.lat);
    return length;
}

// What the comparison went through, so that a grid that stopped exercising
// rings, saddles or NODATA is noticed.
struct Coverage {
    int rings = 0;
    int repairedSaddles = 0;
};

class GdalPeer : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v gdal_contour >/dev/null 2>&1") != 0) GTEST_SKIP() << "gdal_contour is not installed";
        folder_ = fs::temp_directory_path() / ("gridcontour-gdal-peer-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        if (!folder_.empty()) fs::remove_all(folder_);
    }

    Coverage compareWithGdal(const std::string& name, const Grid& grid, const std::vector<int>& levels) {
        SCOPED_TRACE(name);
        Coverage coverage;
        const fs::path asc = folder_ / (name + ".asc"), out = folder_ / name, csv = folder_ / (name + ".csv");
        std::ofstream(asc) << ascText(grid);
        if (grid.zone) {
            const std::string prj = "gdalsrsinfo -o wkt_esri EPSG:" + std::to_string(6668 + grid.zone) + " > '" +
                                    (folder_ / (name + ".prj")).string() + "'";
            EXPECT_EQ(std::system(prj.c_str()), 0) << prj;
        }
        fs::create_directories(out);
        std::string ourLevels, gdalLevels;
        for (const int level : levels) {
            ourLevels += (ourLevels.empty() ? "" : ",") + std::to_string(level);
            // gdal_contour takes its fixed levels ascending: elevations in reverse.
            const std::string gdalLevel = " -fl " + std::to_string(grid.elevations ? -level : level);
            gdalLevels = grid.elevations ? gdalLevel + gdalLevels : gdalLevels + gdalLevel;
        }
        // Elevations without --depths, and no --zone: the .prj gives it.
        const std::string written = lastOutputLine(std::string(VORNEL_CONTOUR_EXE) + " '" + asc.string() + "' '" +
                                                   out.string() + "'" + (grid.elevations ? "" : " --depths") +
                                                   " --levels=" + ourLevels);
        EXPECT_FALSE(written.empty()) << "vornel-contour failed";
        // Float64, as we read the values; GDAL would read this grid as Float32.
        const std::string gdal = "gdal_contour -q --config AAIGRID_DATATYPE Float64 -f CSV -lco GEOMETRY=AS_WKT -a depth" +
                                 gdalLevels + " '" + asc.string() + "' '" + csv.string() + "'";
        EXPECT_EQ(std::system(gdal.c_str()), 0) << gdal;
        // Metres of zone IX into degrees, by PROJ.
        const fs::path geoCsv = folder_ / (name + "-geo.csv");
        if (grid.zone) {
            const std::string warp = "ogr2ogr -f CSV -lco GEOMETRY=AS_WKT -s_srs EPSG:" +
                                     std::to_string(6668 + grid.zone) + " -t_srs EPSG:6668 '" + geoCsv.string() +
                                     "' '" + csv.string() + "'";
            EXPECT_EQ(std::system(warp.c_str()), 0) << warp;
        }
        if (written.empty() || !fs::exists(csv) || (grid.zone && !fs::exists(geoCsv))) return coverage;

        std::map<long, std::vector<Line>> ours;
        for (Line& line : readOurs(written)) ours[line.depthCm].push_back(std::move(line));
        const std::vector<Line> gdalLines = readGdal(csv, grid.elevations);
        const GdalSegments theirs =
            gdalSegmentsInValidCells(grid, gdalLines, grid.zone ? readGdal(geoCsv, grid.elevations) : gdalLines);
        EXPECT_EQ(theirs.unpairable, 0);
        coverage.repairedSaddles = theirs.repaired;
        EXPECT_EQ(ours.size(), theirs.byLevel.size()) << "levels with contours";

        for (const auto& [depthCm, gdalSegments] : theirs.byLevel) {
            SCOPED_TRACE("depth " + std::to_string(depthCm / 100.0));
            const std::vector<Line>& lines = ours[depthCm];
            std::vector<Vertex> vertices;
            std::vector<Segment> segments;
            for (const Line& line : lines) {
                vertices.insert(vertices.end(), line.points.begin(), line.points.end());
                for (std::size_t i = 0; i + 1 < line.points.size(); ++i) segments.push_back({line.points[i], line.points[i + 1]});
            }
            std::sort(vertices.begin(), vertices.end(), byLongitude);
            vertices.erase(std::unique(vertices.begin(), vertices.end(),
                                       [](const Vertex& a, const Vertex& b) { return a.lon == b.lon && a.lat == b.lat; }),
                           vertices.end());
            EXPECT_NEAR(lengthOf(segments), lengthOf(gdalSegments), 0.005 * lengthOf(gdalSegments));

            // Segments as pairs of our vertices: GDAL's must all be ours and ours all GDAL's.
            const auto pairsOf = [&](const std::vector<Segment>& list, int& missing) {
                std::vector<std::pair<int, int>> pairs;
                for (const Segment& s : list) {
                    const int a = vertexIndex(vertices, s.a), b = vertexIndex(vertices, s.b);
                    if (a < 0 || b < 0) ++missing;
                    else pairs.emplace_back(std::min(a, b), std::max(a, b));
                }
                std::sort(pairs.begin(), pairs.end());
                return pairs;
            };
            int gdalVerticesMissing = 0, ignored = 0;
            const auto gdalPairs = pairsOf(gdalSegments, gdalVerticesMissing);
            const auto ourPairs = pairsOf(segments, ignored);
            EXPECT_EQ(gdalVerticesMissing, 0) << "GDAL's segments with a vertex we lack";
            std::vector<std::pair<int, int>> differing;
            std::set_symmetric_difference(ourPairs.begin(), ourPairs.end(), gdalPairs.begin(), gdalPairs.end(),
                                          std::back_inserter(differing));
            EXPECT_EQ(differing.size(), 0u) << "segments drawn by one program only (of " << gdalPairs.size() << ")";

            // Our lines end only where nothing continues them, and share no vertex.
            std::vector<int> degree(vertices.size()), owner(vertices.size(), -1);
            for (const auto& [a, b] : ourPairs) ++degree[a], ++degree[b];
            int openEndsJoinable = 0, shared = 0;
            for (std::size_t l = 0; l < lines.size(); ++l) {
                const auto& points = lines[l].points;
                const int first = vertexIndex(vertices, points.front()), last = vertexIndex(vertices, points.back());
                if (first == last) ++coverage.rings;
                else openEndsJoinable += (degree[first] != 1) + (degree[last] != 1);
                for (std::size_t i = first == last ? 1 : 0; i < points.size(); ++i) {
                    int& who = owner[vertexIndex(vertices, points[i])];
                    if (who >= 0 && who != static_cast<int>(l)) ++shared;
                    who = static_cast<int>(l);
                }
            }
            EXPECT_EQ(openEndsJoinable, 0) << "line ends that another segment continues";
            EXPECT_EQ(shared, 0) << "vertices on two lines";
        }
        return coverage;
    }

    fs::path folder_;
};

TEST_F(GdalPeer, SameSegmentsAndLinesAsGdalContourInsideTheValidCells) {
    const Coverage seabed = compareWithGdal("seabed", seabedGrid(), {10, 15, 20, 25, 30, 40, 50, 60});
    EXPECT_GE(seabed.rings, 2) << "the basin and the shoal are ringed";
    const Coverage rough = compareWithGdal("rough", roughGrid(), {10, 20, 30, 40, 50, 60, 70, 80, 90});
    EXPECT_GE(rough.repairedSaddles, 20) << "saddles that the cell mean decides unlike GDAL";
    EXPECT_GE(rough.rings, 20);
    const Coverage gebco = compareWithGdal("gebco", gebcoGrid(), {10, 20, 30, 50, 75, 100, 150, 200});
    EXPECT_GE(gebco.rings, 1) << "the bank is ringed";
    const Coverage zone9 = compareWithGdal("zone9", zone9Grid(), {10, 15, 20, 25, 30, 40, 50, 60});
    EXPECT_GE(zone9.rings, 2);
}

}  // namespace
