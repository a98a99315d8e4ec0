// The two grid formats read to the same nodes, and every kind of bad file is
// refused with the line it concerns.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "coordinate_system.h"
#include "grid_reader.h"
#include "input_error.h"

namespace gridcontour {
namespace {

struct ReadGrid {
    GridGeometry geometry;
    std::vector<std::vector<double>> rows;
};

ReadGrid read(const std::string& text, GridOptions options = {}) {
    std::FILE* file = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    ReadGrid grid;
    try {
        auto reader = openGrid(file, options);
        std::vector<double> row;
        while (reader->nextRow(row)) grid.rows.push_back(row);
        grid.geometry = reader->geometry();
    } catch (...) {
        std::fclose(file);
        throw;
    }
    std::fclose(file);
    return grid;
}

// The message of the InputError that reading `text` throws; empty when none is thrown.
std::string failureOf(const std::string& text) {
    try {
        read(text);
    } catch (const InputError& error) {
        return error.what();
    }
    return {};
}

// The line of the InputError that reading `text` throws; 0 when none is thrown.
long long failingLine(const std::string& text) {
    try {
        read(text);
    } catch (const InputError& error) {
        return error.line() > 0 ? error.line() : -1;
    }
    return 0;
}

TEST(GridReader, AsciiAndXyzGiveTheSameNodesWhicheverWayTheyRun) {
    // Corner registration: the values sit at the cell centres.
    const auto ascii = read(
        "NCOLS 3\nnrows 2\nXllCorner 140.0\nyllcorner 35.0\ncellsize 0.5\nNODATA_value -9999\n"
        "1 2 3\n4 -9999 6\n");
    EXPECT_EQ(ascii.geometry.columns, 3);
    EXPECT_EQ(ascii.geometry.rows, 2);
    EXPECT_DOUBLE_EQ(ascii.geometry.firstX, 140.25);
    EXPECT_DOUBLE_EQ(ascii.geometry.firstY, 35.75);  // the north row comes first
    EXPECT_DOUBLE_EQ(ascii.geometry.stepY, -0.5);
    ASSERT_EQ(ascii.rows.size(), 2u);
    EXPECT_TRUE(std::isnan(ascii.rows[1][1]));

    // The same nodes as XYZ, north first with commas and a header line, and
    // south first with semicolons and tabs.
    const auto north = read("X,Y,Z\n140.25,35.75,1\n140.75,35.75,2\n141.25,35.75,3\n"
                            "140.25,35.25,4\n140.75,35.25,-9999\n141.25,35.25,6\n",
                            GridOptions{true, -9999, "", ""});
    EXPECT_EQ(north.geometry.columns, 3);
    EXPECT_EQ(north.geometry.rows, 2);
    EXPECT_DOUBLE_EQ(north.geometry.firstY, 35.75);
    EXPECT_DOUBLE_EQ(north.geometry.stepY, -0.5);
    EXPECT_EQ(north.rows[0], ascii.rows[0]);
    EXPECT_TRUE(std::isnan(north.rows[1][1]));
    const auto south = read("140.25;35.25;4\n140.75\t35.25\t5\n141.25 35.25 6\n\n140.25;35.75;1\n140.75;35.75;2\n"
                            "141.25;35.75;3\n");
    EXPECT_DOUBLE_EQ(south.geometry.stepY, 0.5);
    EXPECT_EQ(south.rows[1], ascii.rows[0]);

    // The last value of a file without a final line break is read whole.
    const auto cut = read("ncols 2\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2\n3 4.25");
    ASSERT_EQ(cut.rows.size(), 2u);
    EXPECT_EQ(cut.rows[1][1], 4.25);
    const auto cutXyz = read("0 0 1\n1 0 2\n0 1 3\n1 1 4.25");
    ASSERT_EQ(cutXyz.rows.size(), 2u);
    EXPECT_EQ(cutXyz.rows[1][1], 4.25);

    // NaN as NODATA in the header, in cells and as the option (float grids
    // from Python and netCDF); a UTF-8 mark before the header.
    for (const char* text : {"ncols 3\nnrows 2\nxllcorner 140.0\nyllcorner 35.0\ncellsize 0.5\nNODATA_value nan\n"
                             "1 2 3\n4 nan 6\n",
                             "\xEF\xBB\xBFncols 3\nnrows 2\nxllcorner 140.0\nyllcorner 35.0\ncellsize 0.5\n"
                             "1 2 3\n4 NaN 6\n"}) {
        const auto withNan = read(text, GridOptions{true, std::nan(""), "", ""});
        EXPECT_EQ(withNan.rows[0], ascii.rows[0]);
        EXPECT_TRUE(std::isnan(withNan.rows[1][1]));
        EXPECT_EQ(withNan.geometry.firstX, ascii.geometry.firstX);
    }

    // Sorted by x first (a mesh file, latitude first): rows along y; and
    // points left out (land) read as NODATA, whole rows too.
    const auto transposed = read("35.75 140.25 1\n35.75 140.75 2\n35.75 141.25 3\n35.25 140.25 4\n35.25 141.25 6\n");
    EXPECT_TRUE(transposed.geometry.rowsAlongY);
    EXPECT_DOUBLE_EQ(transposed.geometry.firstX, 35.75);
    EXPECT_DOUBLE_EQ(transposed.geometry.stepX, -0.5);
    EXPECT_EQ(transposed.rows[0], ascii.rows[0]);
    EXPECT_TRUE(std::isnan(transposed.rows[1][1]));
    const auto gaps = read("2 0 3\n1 1 5\n0 2 7\n2 2 9\n3 2 10\n");
    EXPECT_EQ(gaps.geometry.columns, 4);
    ASSERT_EQ(gaps.rows.size(), 3u);
    EXPECT_EQ(gaps.rows[0][2], 3);
    EXPECT_TRUE(std::isnan(gaps.rows[0][0]) && std::isnan(gaps.rows[1][3]));
    EXPECT_EQ(gaps.rows[1][1], 5);
    EXPECT_EQ(gaps.rows[2][0], 7);
    EXPECT_EQ(gaps.rows[2][3], 10);
    // Coordinates printed with fewer digits than the step (1/120° in four decimals).
    std::string rounded;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 200; ++c) {
            char line[64];
            std::snprintf(line, sizeof line, "%.4f %.4f %d\n", 140 + c / 120.0, 35 - r / 120.0, c);
            rounded += line;
        }
    const auto coarse = read(rounded);
    EXPECT_EQ(coarse.geometry.columns, 200);
    EXPECT_NEAR(coarse.geometry.stepX, 1 / 120.0, 1e-6);
    EXPECT_EQ(coarse.rows[2][199], 199);

    // Centre registration and separate steps.
    const auto centred = read("ncols 2\nnrows 2\nxllcenter 140\nyllcenter 35\ndx 0.2\ndy 0.1\n1 2\n3 4\n");
    EXPECT_DOUBLE_EQ(centred.geometry.firstX, 140);
    EXPECT_DOUBLE_EQ(centred.geometry.firstY, 35.1);
    EXPECT_DOUBLE_EQ(centred.geometry.stepX, 0.2);
}

TEST(GridReader, BadFilesAreRefusedNamingTheLine) {
    const std::string header = "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n";
    EXPECT_EQ(failingLine(header + "1 2 3\n4 5\n"), 7) << "cut in the last row";
    EXPECT_EQ(failingLine(header + "1 2 3\n4 x 6\n"), 7) << "not a number";
    EXPECT_EQ(failingLine(header + "1 2 3\n4 inf 6\n"), 7) << "infinity is no depth";
    EXPECT_EQ(failingLine(header + "1 2 3\n4 5 6\n7\n"), 8) << "more values than the header says";
    EXPECT_EQ(failingLine("ncols 3\nnrows 2\nxllcorner 0\n1 2 3\n"), 4) << "header incomplete";
    EXPECT_EQ(failingLine("ncols 3\nnrows 2\nbogus 1\n"), 3) << "unknown key";
    EXPECT_EQ(failingLine("ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize -1\n1 2 3 4 5 6\n"), 6)
        << "negative cell size";
    EXPECT_EQ(failingLine("ncols 99999999999999999999\nnrows 2\n"), 1) << "size that overflows";
    EXPECT_EQ(failingLine("ncols 100000000\nnrows 100000000\n"), 1) << "row beyond memory";
    EXPECT_EQ(failingLine("ncols 1\nnrows 5\n"), 1) << "no cell";

    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n2 0 3\n0 1 4\n1.3 1 5\n"), 5) << "XYZ column off the lattice";
    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n0 1 4\n1 1 5\n0 2.6 4\n1 2.6 5\n"), 5) << "XYZ row off the lattice";
    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n0 1 4\n1 1 5\n0 0 7\n"), 5) << "XYZ row coming back";
    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n1 0 3\n0 1 4\n1 1 5\n"), 3) << "XYZ point twice";
    // Soundings along two survey lines, at no common spacing: a lattice
    // holding them all would be mostly empty.
    std::string soundings;
    for (unsigned i = 0, state = 7; i < 100; ++i) {
        state = state * 1103515245u + 12345u;
        soundings += std::to_string(i + (state >> 8) % 1000 / 1e3) + (i < 50 ? " 0 -3\n" : " 1 -3\n");
    }
    EXPECT_NE(failingLine(soundings), 0) << "scattered soundings";
    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n0 1 4 7\n"), 3) << "four values on a line";
    EXPECT_EQ(failingLine("0 0 1\n0 1 2\n"), 2) << "a single column";
    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n"), 2) << "a single row";
    EXPECT_EQ(failingLine(""), 1) << "empty file";

    // Files dropped on the program that are no text grid say what they are.
    using namespace std::string_literals;
    const struct {
        std::string head, says;
    } kinds[] = {
        {"II*\0\x08\0\0\0"s, "GeoTIFF"},
        {"MM\0*\0\0\0\x08"s, "GeoTIFF"},
        {"CDF\x01\0\0\0\x02"s, "netCDF"},
        {"\x89HDF\r\n\x1a\n\0\0"s, "NETCDF:"},  // netCDF-4, as GEBCO ships it
        {"PK\x03\x04\x14\0"s, "zip"},
        {"\xFF\xFEn\0c\0o\0l\0"s, "UTF-16"},
        {"DSAA\r\n40 30\r\n"s, "Surfer"},
        {"ncols 3\0\0\x01\x02"s, "テキストのファイルではありません"},
    };
    for (const auto& kind : kinds) {
        const std::string message = failureOf(kind.head + std::string(100, 'x'));
        EXPECT_NE(message.find(kind.says), std::string::npos) << kind.says << ": " << message;
    }
    EXPECT_EQ(failingLine(std::string(3 << 20, 'x')), 1) << "no line breaks at all";
}

// The .prj texts as GDAL writes them beside an .asc (the ESRI form), and the
// OGC WKT 1 and WKT 2 of other programs.
TEST(GridReader, PrjNamesTheCoordinateSystem) {
    using Kind = CoordinateSystem::Kind;
    const std::string geographic =
        R"(GEOGCS["GCS_JGD_2011",DATUM["D_JGD_2011",SPHEROID["GRS_1980",6378137.0,298.257222101004]],)"
        R"(PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])";
    const auto tm = [](const std::string& name, const std::string& datum, double lon0, double lat0, double scale,
                       double falseEasting) {
        return R"(PROJCS[")" + name + R"(",GEOGCS["GCS_)" + datum + R"(",DATUM["D_)" + datum +
               R"(",SPHEROID["GRS_1980",6378137.0,298.257222101]],PRIMEM["Greenwich",0.0],)"
               R"(UNIT["Degree",0.0174532925199433]],PROJECTION["Transverse_Mercator"],)"
               R"(PARAMETER["False_Easting",)" + std::to_string(falseEasting) + R"(],PARAMETER["False_Northing",0.0],)"
               R"(PARAMETER["Central_Meridian",)" + std::to_string(lon0) + R"(],PARAMETER["Scale_Factor",)" +
               std::to_string(scale) + R"(],PARAMETER["Latitude_Of_Origin",)" + std::to_string(lat0) +
               R"(],UNIT["Meter",1.0]])";
    };
    const std::string ogcZone9 =
        R"(PROJCS["JGD2011 / Japan Plane Rectangular CS IX",GEOGCS["JGD2011",DATUM["Japanese_Geodetic_Datum_2011",)"
        R"(SPHEROID["GRS 1980",6378137,298.257222101]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]],)"
        R"(PROJECTION["Transverse_Mercator"],PARAMETER["latitude_of_origin",36],)"
        R"(PARAMETER["central_meridian",139.833333333333],PARAMETER["scale_factor",0.9999],)"
        R"(PARAMETER["false_easting",0],PARAMETER["false_northing",0],UNIT["metre",1],AXIS["Northing",NORTH],)"
        R"(AXIS["Easting",EAST],AUTHORITY["EPSG","6677"]])";
    const std::string wkt2Zone12 =
        "PROJCRS[\"JGD2000 / Japan Plane Rectangular CS XII\",\n  BASEGEOGCRS[\"JGD2000\",DATUM[\"Japanese Geodetic "
        "Datum 2000\",ELLIPSOID[\"GRS 1980\",6378137,298.257222101,LENGTHUNIT[\"metre\",1]]]],\n"
        "  CONVERSION[\"Japan Plane Rectangular CS zone XII\",METHOD[\"Transverse Mercator\",ID[\"EPSG\",9807]],"
        "PARAMETER[\"Latitude of natural origin\",44,ANGLEUNIT[\"degree\",0.0174532925199433]],"
        "PARAMETER[\"Longitude of natural origin\",142.25,ANGLEUNIT[\"degree\",0.0174532925199433]],"
        "PARAMETER[\"Scale factor at natural origin\",0.9999,SCALEUNIT[\"unity\",1]],"
        "PARAMETER[\"False easting\",0,LENGTHUNIT[\"metre\",1]],PARAMETER[\"False northing\",0,LENGTHUNIT[\"metre\",1]]],"
        "\n  CS[Cartesian,2],AXIS[\"northing (X)\",north,ORDER[1],LENGTHUNIT[\"metre\",1]],"
        "AXIS[\"easting (Y)\",east,ORDER[2],LENGTHUNIT[\"metre\",1]],ID[\"EPSG\",2454]]";

    const struct {
        std::string wkt;
        Kind kind;
        int zone;
        bool tokyo;
    } cases[] = {
        {geographic, Kind::Geographic, 0, false},
        {tm("JGD_2011_Japan_Zone_9", "JGD_2011", 139.833333333333, 36, 0.9999, 0), Kind::PlaneRectangular, 9, false},
        {tm("JGD_2000_Japan_Zone_2", "JGD_2000", 131, 33, 0.9999, 0), Kind::PlaneRectangular, 2, false},
        {ogcZone9, Kind::PlaneRectangular, 9, false},
        {wkt2Zone12, Kind::PlaneRectangular, 12, false},
        {tm("Japan_Zone_9", "Tokyo", 139.833333333333, 36, 0.9999, 0), Kind::PlaneRectangular, 9, true},
        {tm("JGD_2011_UTM_Zone_54N", "JGD_2011", 141, 0, 0.9996, 500000), Kind::Utm, 54, false},
        {tm("Made_Up_TM", "JGD_2011", 139.9, 36, 0.9999, 0), Kind::Other, 0, false},  // near, not a zone's origin
        {R"(PROJCS["WGS_1984_Web_Mercator_Auxiliary_Sphere",GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",)"
         R"(SPHEROID["WGS_1984",6378137.0,298.257223563]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]],)"
         R"(PROJECTION["Mercator_Auxiliary_Sphere"],PARAMETER["False_Easting",0.0],UNIT["Meter",1.0]])",
         Kind::WebMercator, 0, false},
        {R"(PROJCS["JGD2011 / Japan zone 9 ftUS",GEOGCS["JGD2011",DATUM["JGD2011",SPHEROID["GRS 1980",6378137,)"
         R"(298.257222101]],UNIT["degree",0.0174532925199433]],PROJECTION["Transverse_Mercator"],)"
         R"(PARAMETER["latitude_of_origin",36],PARAMETER["central_meridian",139.833333333333],)"
         R"(PARAMETER["scale_factor",0.9999],UNIT["US survey foot",0.304800609601219]])",
         Kind::Other, 0, false},  // the zone's parameters, but in feet
    };
    for (const auto& c : cases) {
        const auto system = parseCoordinateSystem(c.wkt);
        ASSERT_TRUE(system) << c.wkt;
        EXPECT_EQ(system->kind, c.kind) << c.wkt;
        EXPECT_EQ(system->zone, c.zone) << c.wkt;
        EXPECT_EQ(system->tokyoDatum, c.tokyo) << c.wkt;
    }
    EXPECT_EQ(parseCoordinateSystem(ogcZone9)->name, "JGD2011 / Japan Plane Rectangular CS IX");
    for (const char* bad : {"", "EPSG:6677", "+proj=longlat +datum=WGS84", R"(GEOGCS["x",DATUM["y")",
                            R"(GEOGCS["x"] trailing)"})
        EXPECT_FALSE(parseCoordinateSystem(bad)) << bad;
    std::string deep;
    for (int i = 0; i < 100; ++i) deep += "GEOGCS[\"x\",";
    deep += "1" + std::string(100, ']');
    EXPECT_FALSE(parseCoordinateSystem(deep)) << "nested deeper than any coordinate system";
}

}  // namespace
}  // namespace gridcontour
