// vornel-contour's grid readers (ESRI ASCII and XYZ) feeding the contour
// builder, as the converter runs them. The first byte picks whether a NODATA
// value is given on the command line; the rest is the grid file, and is also
// read as the .prj beside a grid (WKT).
//
// Each file is also read with a line break added at its end, which must change
// nothing: files are written both ways, and the last value of a file without
// one once came out with bytes of an earlier line stuck to it.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "contour_builder.h"
#include "coordinate_system.h"
#include "grid_reader.h"
#include "input_error.h"

using namespace gridcontour;

namespace {

// A header may ask for rows of up to 50 million values; the reader allocates
// such a row by design, and inputs that do only slow the search down.
constexpr long long kFuzzMaxColumns = 100'000;

struct ReadGrid {
    bool skipped = false, read = false;
    GridGeometry geometry;
    std::vector<double> values;  // row after row
};

ReadGrid readGrid(const std::uint8_t* data, std::size_t size, const GridOptions& options) {
    ReadGrid grid;
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!file) __builtin_trap();
    try {
        const auto reader = openGrid(file, options);
        const long long columns = reader->geometry().columns;
        if (columns < 2) __builtin_trap();  // every grid the reader opens has cells
        grid.skipped = columns > kFuzzMaxColumns;
        std::vector<double> row;
        while (!grid.skipped && reader->nextRow(row)) {
            if (static_cast<long long>(row.size()) != columns) __builtin_trap();
            grid.values.insert(grid.values.end(), row.begin(), row.end());
        }
        grid.geometry = reader->geometry();
        grid.read = !grid.skipped;
        if (grid.read && static_cast<long long>(grid.values.size()) != grid.geometry.rows * columns) __builtin_trap();
    } catch (const InputError&) {
    }
    std::fclose(file);
    return grid;
}

bool sameGrid(const ReadGrid& a, const ReadGrid& b) {
    if (a.read != b.read) return false;
    if (!a.read) return true;
    const GridGeometry &g = a.geometry, &h = b.geometry;
    return g.columns == h.columns && g.rows == h.rows && g.firstX == h.firstX && g.firstY == h.firstY &&
           g.stepX == h.stepX && g.stepY == h.stepY && a.values.size() == b.values.size() &&
           std::memcmp(a.values.data(), b.values.data(), a.values.size() * sizeof(double)) == 0;
}

bool onGrid(double value, long long nodes) { return value >= 0 && value <= static_cast<double>(nodes - 1); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    if (const auto system = parseCoordinateSystem({reinterpret_cast<const char*>(data + 1), size - 1})) {
        // A plane rectangular system always has its number 1–19; a UTM zone
        // is known only from the parameters (0 when named alone).
        using Kind = CoordinateSystem::Kind;
        const bool planeRect = system->kind == Kind::PlaneRectangular;
        if (planeRect != (system->zone >= 1 && system->zone <= 19) && system->kind != Kind::Utm) __builtin_trap();
        if (system->zone < 0 || system->zone > 60) __builtin_trap();
    }
    GridOptions options;
    options.hasNodata = data[0] & 1;
    options.nodata = (data[0] & 2) ? 0.0 : -9999.0;
    const ReadGrid grid = readGrid(data + 1, size - 1, options);
    if (grid.skipped) return 0;
    std::vector<std::uint8_t> withLineBreak(data + 1, data + size);
    withLineBreak.push_back('\n');
    if (!sameGrid(grid, readGrid(withLineBreak.data(), withLineBreak.size(), options))) __builtin_trap();
    if (!grid.read) return 0;

    const auto columns = static_cast<std::size_t>(grid.geometry.columns);
    ContourBuilder builder(grid.geometry.columns, {0.5, 1, 2, 5, 10, 20, 50, 100, 1000}, 200'000);
    for (std::size_t start = 0; start < grid.values.size(); start += columns)
        builder.addRow(std::vector<double>(grid.values.begin() + start, grid.values.begin() + start + columns));
    for (const ContourLine& line : builder.finish()) {
        if (line.points.size() < 2 || line.level >= 9) __builtin_trap();
        for (const GridPoint& point : line.points)
            if (!onGrid(point.column, grid.geometry.columns) || !onGrid(point.row, grid.geometry.rows)) __builtin_trap();
    }
    return 0;
}
