// Marching squares and the joining of segments, on grids small enough to
// check by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "contour_builder.h"

namespace gridcontour {
namespace {

constexpr double kNoData = std::numeric_limits<double>::quiet_NaN();

std::vector<ContourLine> contour(const std::vector<std::vector<double>>& rows, std::vector<double> levels,
                                 long long limit = 1'000'000) {
    ContourBuilder builder(static_cast<long long>(rows[0].size()), std::move(levels), limit);
    for (const auto& row : rows) builder.addRow(row);
    return builder.finish();
}

TEST(ContourBuilder, ADeepNodeIsRingedByOneClosedLineWhoseVerticesLieOnTheLevel) {
    const auto lines = contour({{1, 1, 1}, {1, 5, 1}, {1, 1, 1}}, {2, 3});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].level, 0u);
    EXPECT_EQ(lines[1].level, 1u);
    for (const auto& line : lines) {
        const auto& points = line.points;
        ASSERT_EQ(points.size(), 5u);  // four crossings, back to the first
        EXPECT_EQ(points.front(), points.back());
        // Linear along each edge from 1 to 5: level 2 a quarter of the way, 3 half.
        const double offset = line.level == 0 ? 0.75 : 0.5;
        for (const auto& p : points) EXPECT_DOUBLE_EQ(std::fabs(p.column - 1) + std::fabs(p.row - 1), offset);
    }
}

TEST(ContourBuilder, SaddleCellsFollowTheCellMean) {
    // Deep corners top left and bottom right. Mean 5.5 ≥ 5: they connect
    // through the centre, and the two lines cut off the shallow corners.
    auto lines = contour({{10, 1}, {1, 10}}, {5});
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& line : lines) {
        ASSERT_EQ(line.points.size(), 2u);
        const GridPoint a = line.points[0], b = line.points[1];
        // Each line joins the two edges at one shallow corner: (1, 0) or (0, 1).
        EXPECT_NEAR(std::fabs(a.column - b.column), 4.0 / 9, 1e-12);
        EXPECT_NEAR(std::fabs(a.row - b.row), 4.0 / 9, 1e-12);
        EXPECT_TRUE((a.column + b.column > 1) == (a.row + b.row < 1)) << "cuts the top right or bottom left corner";
    }
    // Mean 4.75 < 5 with corners 10, 1, 1, 7: the deep corners stand apart.
    lines = contour({{10, 1}, {1, 7}}, {5});
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& line : lines) {
        const GridPoint a = line.points[0], b = line.points[1];
        EXPECT_TRUE((a.column + b.column < 1) == (a.row + b.row < 1)) << "cuts the top left or bottom right corner";
    }
}

TEST(ContourBuilder, LinesJoinAcrossRowsAndStopAtNoData) {
    // A depth rising eastwards over 6 rows: one straight line at 2.5 down the grid.
    std::vector<std::vector<double>> rows(6, {1, 2, 3, 4});
    auto lines = contour(rows, {2.5});
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].points.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(lines[0].points[i].column, 1.5);
    // A NODATA node in row 3 takes the four cells around it: the line breaks in two.
    rows[3][1] = kNoData;
    lines = contour(rows, {2.5});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points.size() + lines[1].points.size(), 5u);  // rows 0–2 and 4–5, none beside the gap
    for (const auto& line : lines)
        for (const auto& p : line.points) EXPECT_TRUE(p.row <= 2 || p.row >= 4);
}

TEST(ContourBuilder, NodesOnTheLevelAndTheLimit) {
    // Whole rows exactly on the level: nodes count as deep, no zero-length lines.
    const auto lines = contour({{5, 5, 5}, {5, 5, 5}, {1, 1, 1}}, {5});
    ASSERT_EQ(lines.size(), 1u);
    for (std::size_t i = 1; i < lines[0].points.size(); ++i) EXPECT_FALSE(lines[0].points[i] == lines[0].points[i - 1]);
    for (const auto& p : lines[0].points) EXPECT_EQ(p.row, 1);

    // Over the point limit the builder keeps counting but keeps no line.
    ContourBuilder builder(3, {2, 3}, 6);
    for (const auto& row : std::vector<std::vector<double>>{{1, 1, 1}, {1, 5, 1}, {1, 1, 1}}) builder.addRow(row);
    EXPECT_TRUE(builder.overLimit());
    EXPECT_GE(builder.pointCount(), 8);
    EXPECT_TRUE(builder.finish().empty());
}

}  // namespace
}  // namespace gridcontour
