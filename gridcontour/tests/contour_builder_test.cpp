// Marching squares and the joining of segments, on grids small enough to
// check by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "contour_builder.h"

namespace gridcontour {
namespace {

std::vector<ContourLine> contour(const std::vector<std::vector<double>>& rows, std::vector<double> levels,
                                 long long limit = 1'000'000) {
    ContourBuilder builder(static_cast<long long>(rows[0].size()), std::move(levels), limit);
    for (const auto& row : rows) builder.addRow(row);
    return builder.finish();
}

double length(const ContourLine& line) {
    double total = 0;
    for (std::size_t i = 1; i < line.points.size(); ++i)
        total += std::hypot(line.points[i].column - line.points[i - 1].column, line.points[i].row - line.points[i - 1].row);
    return total;
}

TEST(ContourBuilder, ADeepNodeIsRingedByOneClosedLine) {
    const auto lines = contour({{1, 1, 1}, {1, 5, 1}, {1, 1, 1}}, {3});
    ASSERT_EQ(lines.size(), 1u);
    const auto& points = lines[0].points;
    ASSERT_EQ(points.size(), 5u);  // four crossings, back to the first
    EXPECT_EQ(points.front(), points.back());
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        EXPECT_DOUBLE_EQ(std::fabs(points[i].column - 1) + std::fabs(points[i].row - 1), 0.5);
}

}  // namespace
}  // namespace gridcontour
