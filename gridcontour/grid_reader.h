// Reading a depth grid row by row: an ESRI ASCII grid (.asc) or an XYZ grid
// (one "x y z" a line, a regular grid in rows). Only one row is held at a
// time, so a grid of any size is read in the memory of one row.
#pragma once

#include <cstdio>
#include <memory>
#include <vector>

namespace gridcontour {

// Where the grid's nodes lie, x and y being the file's first and second
// coordinate. Node (row r, column c), counted in file order, lies at
// x = firstX + c·stepX, y = firstY + r·stepY; either step may be negative (an
// ASCII grid runs north to south, so its stepY is). An XYZ file sorted by x
// first has its rows along y: then x = firstX + r·stepX, y = firstY + c·stepY.
struct GridGeometry {
    long long columns = 0;
    long long rows = 0;
    double firstX = 0, firstY = 0;
    double stepX = 0, stepY = 0;
    bool rowsAlongY = false;

    double xAt(double row, double column) const { return firstX + (rowsAlongY ? row : column) * stepX; }
    double yAt(double row, double column) const { return firstY + (rowsAlongY ? column : row) * stepY; }
};

class GridReader {
public:
    virtual ~GridReader() = default;
    // Known once the reader is open, apart from an XYZ grid's rows and stepY
    // (complete once nextRow has returned false).
    virtual const GridGeometry& geometry() const = 0;
    virtual bool geometryComplete() const = 0;
    // An XYZ file, whose coordinates may come latitude first.
    virtual bool xyz() const = 0;
    // The next row's values, `columns` of them; a NODATA value reads as NaN.
    // False after the last row. Throws InputError on a malformed or cut file.
    virtual bool nextRow(std::vector<double>& values) = 0;
};

struct GridOptions {
    bool hasNodata = false;  // overrides the file's own NODATA_value when set
    double nodata = 0;
};

// Opens the grid on `file` (kept open by the caller). An ASCII grid is known by
// its header, anything else is read as XYZ. Throws InputError.
std::unique_ptr<GridReader> openGrid(std::FILE* file, const GridOptions& options);

// The largest row the reader takes: two rows of doubles stay far below the
// memory of any PC, and column counts fit comfortably in 32 bits.
inline constexpr long long kMaxColumns = 50'000'000;
inline constexpr long long kMaxRows = 2'000'000'000;

}  // namespace gridcontour
