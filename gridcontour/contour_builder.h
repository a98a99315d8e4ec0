// Marching squares over a grid fed one row of nodes at a time, for many
// levels at once, joining the segments into lines as they come. Besides the
// lines themselves it keeps two rows of nodes and the open line ends along
// the last row, so a grid of any size is contoured in the memory of a row.
#pragma once

#include <cstdint>
#include <vector>

namespace gridcontour {

// A place in the grid, in nodes: column and row counted in file order,
// fractional along the cell edge where the contour crosses it.
struct GridPoint {
    double column, row;
    bool operator==(const GridPoint&) const = default;
};

struct ContourLine {
    std::size_t level;  // index into the builder's levels
    std::vector<GridPoint> points;  // a closed line ends on its first point
};

class ContourBuilder {
public:
    // `levels` ascending. Beyond `pointLimit` stored points the builder stops
    // keeping lines and only counts, so that a result too big to use does not
    // also exhaust memory.
    ContourBuilder(long long columns, std::vector<double> levels, long long pointLimit);

    // The next row of node values, `columns` of them; NaN where there is no data.
    // A cell contours a level where some corner is at or below it and some
    // corner is above: a node exactly on a level counts as deeper.
    void addRow(const std::vector<double>& depths);

    // The joined lines, ordered by level. Empty once over the limit.
    std::vector<ContourLine> finish();

    // Points stored so far, or counted once over the limit; and per level.
    long long pointCount() const { return points_; }
    const std::vector<long long>& levelPointCounts() const { return levelPoints_; }
    bool overLimit() const { return overLimit_; }

private:
    enum Side : std::uint8_t { kFront = 0, kBack = 1 };
    struct EndRef {
        std::uint32_t chain;
        Side side;
    };
    // A line being built: its points are reverse(front) followed by back.
    struct Chain {
        std::vector<GridPoint> front, back;
        std::uint32_t level = 0;
        std::int32_t forward = -1;  // merged into that chain; its free end became forwardSide
        Side forwardSide = kFront;
        std::size_t size() const { return front.size() + back.size(); }
    };
    // An open line end on the bottom edge of a cell, for the cell below.
    struct BottomEnd {
        long long column;
        std::uint32_t level;
        EndRef end;
    };
    struct SideEnd {
        std::uint32_t level;
        EndRef end;
    };
    enum Edge { kTop, kRight, kBottom, kLeft };

    void contourCell(long long column, double topLeft, double topRight, double bottomRight, double bottomLeft);
    void addSegment(long long column, std::uint32_t level, Edge from, Edge to, const double corners[4]);
    GridPoint crossing(long long column, Edge edge, double level, const double corners[4]) const;
    bool takeEnd(long long column, std::uint32_t level, Edge edge, EndRef& end);
    void giveEnd(long long column, std::uint32_t level, Edge edge, EndRef end);
    EndRef resolve(EndRef end) const;
    void push(EndRef end, const GridPoint& point);
    const GridPoint& endPoint(EndRef end) const;
    void join(EndRef a, EndRef b);
    void count(std::uint32_t level, long long points);

    long long columns_;
    std::vector<double> levels_;
    long long pointLimit_;
    std::vector<double> previous_;
    long long row_ = -1;  // node row of previous_
    std::vector<Chain> chains_;
    std::vector<BottomEnd> aboveEnds_, belowEnds_;
    std::size_t aboveCursor_ = 0;
    std::vector<SideEnd> leftEnds_, rightEnds_;
    std::size_t leftCursor_ = 0;
    long long points_ = 0;
    std::vector<long long> levelPoints_;
    bool overLimit_ = false;
};

}  // namespace gridcontour
