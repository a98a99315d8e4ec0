// Reading a depth grid row by row: an ESRI ASCII grid (.asc) or an XYZ grid
// (one "x y z" a line, a regular grid in rows). Only one row is held at a
// time, so a grid of any size is read in the memory of one row.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>
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
    // Known once the reader is open: from an ASCII grid's header, or from a
    // first reading of the whole XYZ file.
    virtual const GridGeometry& geometry() const = 0;
    // An XYZ file, whose coordinates may come latitude first.
    virtual bool xyz() const = 0;
    // The next row's values, `columns` of them; a NODATA value reads as NaN.
    // False after the last row. Throws InputError on a malformed or cut file.
    virtual bool nextRow(std::vector<double>& values) = 0;
};

struct GridOptions {
    bool hasNodata = false;  // overrides the file's own NODATA_value when set
    double nodata = 0;       // NaN: only NaN values are no data, as always
    // The grid file's name and its name without extension, for the
    // conversion commands of messages about files that are no text grid.
    std::string name, stem;
};

// The NODATA value given by the file or the option: such a value reads as NaN.
class NoDataRule {
public:
    explicit NoDataRule(const GridOptions& options) : has_(options.hasNodata && !std::isnan(options.nodata)),
                                                      value_(options.nodata) {}
    // Exporters write the NODATA value with the same digits in header and data;
    // a float grid written with fewer digits still comes within this of it.
    double apply(double value) const {
        if (has_ && (value == value_ || std::fabs(value - value_) <= 1e-6 * std::max(1.0, std::fabs(value_))))
            return std::numeric_limits<double>::quiet_NaN();
        return value;
    }

private:
    bool has_;
    double value_;
};

// Opens the grid on `file` (kept open by the caller; an XYZ grid is read
// twice). An ASCII grid is known by its header, anything else is read as XYZ;
// a UTF-8 mark at the start is skipped, and files that are no text grid
// (GeoTIFF, netCDF, zip, UTF-16, Surfer) are refused saying what they are.
// Throws InputError.
std::unique_ptr<GridReader> openGrid(std::FILE* file, const GridOptions& options);

// The largest row the reader takes: two rows of doubles stay far below the
// memory of any PC, and column counts fit comfortably in 32 bits.
inline constexpr long long kMaxColumns = 50'000'000;
inline constexpr long long kMaxRows = 2'000'000'000;

}  // namespace gridcontour
