// The two grid formats read to the same nodes, and every kind of bad file is
// refused with the line it concerns.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

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
                            GridOptions{true, -9999});
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
    EXPECT_EQ(failingLine(header + "1 2 3\n4 nan 6\n"), 7) << "NaN is no depth";
    EXPECT_EQ(failingLine(header + "1 2 3\n4 5 6\n7\n"), 8) << "more values than the header says";
    EXPECT_EQ(failingLine("ncols 3\nnrows 2\nxllcorner 0\n1 2 3\n"), 4) << "header incomplete";
    EXPECT_EQ(failingLine("ncols 3\nnrows 2\nbogus 1\n"), 3) << "unknown key";
    EXPECT_EQ(failingLine("ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize -1\n1 2 3 4 5 6\n"), 6)
        << "negative cell size";
    EXPECT_EQ(failingLine("ncols 99999999999999999999\nnrows 2\n"), 1) << "size that overflows";
    EXPECT_EQ(failingLine("ncols 100000000\nnrows 100000000\n"), 1) << "row beyond memory";
    EXPECT_EQ(failingLine("ncols 1\nnrows 5\n"), 1) << "no cell";

    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n2 0 3\n0 1 4\n1.5 1 5\n2 1 6\n"), 5) << "XYZ column out of place";
    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n0 1 4\n1 1 5\n0 3 4\n1 3 5\n"), 5) << "XYZ row out of place";
    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n0 1 4\n1 1 5\n2 1 6\n"), 5) << "XYZ row too long";
    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n2 0 3\n0 1 4\n"), 4) << "XYZ row too short at the end";
    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n0 1 4 7\n"), 3) << "four values on a line";
    EXPECT_EQ(failingLine("0 0 1\n0 1 2\n"), 2) << "columns down, not rows";
    EXPECT_EQ(failingLine("0 0 1\n1 0 2\n"), 2) << "a single row";
    EXPECT_EQ(failingLine(""), 1) << "empty file";
    EXPECT_EQ(failingLine(std::string(3 << 20, 'x')), 1) << "no line breaks at all";
}

}  // namespace
}  // namespace gridcontour
