#include "contour_command.h"

#include <cmath>
#include <new>
#include <optional>

#include "bathymetry/contour_store.h"
#include "contour_builder.h"
#include "coordinate_system.h"
#include "geodesy/plane_rect_zones.h"
#include "grid_placement.h"
#include "grid_reader.h"
#include "input_error.h"
#include "levels.h"
#include "m7000_writer.h"
#include "messages.h"
#include "numbers.h"
#include "native_file.h"
#include "value_checks.h"

namespace gridcontour {

namespace {

ContourOutcome failure(const std::filesystem::path& file, long long line, const std::string& message) {
    std::string text = utf8Of(file);
    if (line > 0) text += "(" + std::to_string(line) + "行目)";
    return {1, text + ": " + message, {}};
}

// The data set's full name in `folder`, or why there is none.
std::optional<ContourOutcome> chooseTarget(const std::filesystem::path& folder, const std::filesystem::path& stem,
                                           const std::set<std::string>& reserved, std::filesystem::path& target) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return failure(folder, 0, msg::cannotWriteFolder("フォルダーがありません"));
    try {
        target = chooseDataSetName(folder, stem, reserved);
    } catch (const std::filesystem::filesystem_error&) {
        return failure(folder, 0, msg::cannotWriteFolder("フォルダーの中を読めません"));
    }
    if (target.empty()) return failure(folder, 0, msg::allCodesUsed());
    target = std::filesystem::absolute(target, error);
    return std::nullopt;
}

// The folder exists, has a free code and takes a file.
std::optional<ContourOutcome> checkFolder(const std::filesystem::path& folder, const std::filesystem::path& stem,
                                          const std::set<std::string>& reserved) {
    std::filesystem::path target;
    if (auto problem = chooseTarget(folder, stem, reserved, target)) return problem;
    if (const std::string problem = checkWritable(target); !problem.empty()) return failure(folder, 0, problem);
    return std::nullopt;
}

}  // namespace

ContourOutcome runContour(const ContourOptions& options) {
    const std::vector<double> levels = options.levels ? *options.levels : defaultLevels();
    const std::filesystem::path folder = options.folder.empty() ? options.grid.parent_path() : options.folder;
    try {
        std::error_code error;
        if (std::filesystem::is_directory(options.grid, error)) return failure(options.grid, 0, msg::folderGiven());
        FilePtr file = openFile(options.grid, false);
        if (!file) return failure(options.grid, 0, msg::cannotOpenGrid());
        const std::filesystem::path stem = options.dataSetStem ? *options.dataSetStem : options.grid.stem();
        // Everything that does not need the grid's values is checked before
        // they are read (a large grid takes minutes): the folder first.
        if (const auto problem = checkFolder(folder, stem, options.reservedCodes)) return *problem;

        GridOptions gridOptions;
        gridOptions.name = utf8Of(options.grid.filename());
        gridOptions.stem = utf8Of(options.grid.stem());
        if (options.nodata) {
            gridOptions.hasNodata = true;
            gridOptions.nodata = *options.nodata;
        }
        std::vector<ContourLine> lines;
        GridGeometry geometry;
        std::optional<Placement> placement;
        NodeWindow window{};
        ValueSurvey values(options.depths);
        try {
            auto reader = openGrid(file.get(), gridOptions);
            geometry = reader->geometry();
            // Where the grid lies is known from an ASCII grid's header and
            // from the first reading of an XYZ file: a grid that cannot be
            // placed is refused before any value is contoured.
            placement = placeGrid({geometry, reader->xyz(), options.zone, options.grid, prjBeside(options.grid)});
            window = options.area ? areaWindow(*placement, geometry, options.area->south, options.area->west,
                                               options.area->north, options.area->east)
                                  : NodeWindow{0, geometry.rows - 1, 0, geometry.columns - 1};
            ContourBuilder builder(window.columns(), levels, vornel::kContourStoreCapacity);
            std::vector<double> row, part;
            const auto first = static_cast<std::ptrdiff_t>(window.firstColumn);
            for (long long r = 0; r <= window.lastRow && reader->nextRow(row); ++r) {
                if (r < window.firstRow) continue;
                std::vector<double>& nodes = options.area ? part : row;
                if (options.area) part.assign(row.begin() + first, row.begin() + first + window.columns());
                values.add(nodes);
                if (!options.depths)
                    for (double& value : nodes) value = -value;  // elevations: negative below the sea
                builder.addRow(nodes);
            }
            // What the values say about their labelling comes before what
            // they gave: a NODATA value left in makes cliffs, land read as sea
            // makes contours, and both can also overflow the limit.
            if (values.valid() == 0) return failure(options.grid, 0, msg::allNoData());
            if (const auto problem = values.noDataLeftIn()) return failure(options.grid, 0, *problem);
            if (const auto problem = values.signLooksWrong()) return failure(options.grid, 0, *problem);
            if (builder.overLimit())
                return failure(options.grid, 0,
                               msg::tooManyPoints(builder.pointCount(), builder.levelPointCounts(), levels,
                                                  vornel::kContourStoreCapacity));
            lines = builder.finish();
        } catch (const InputError& error) {
            return failure(options.grid, error.line(), error.what());
        }
        file.reset();
        if (lines.empty()) return failure(options.grid, 0, msg::noContour(levels.size()));

        // The name is chosen again: the folder may have changed while the grid was read.
        std::filesystem::path target;
        if (const auto problem = chooseTarget(folder, stem, options.reservedCodes, target)) return *problem;
        const auto toGeo = [&](const GridPoint& point) {
            const double row = point.row + static_cast<double>(window.firstRow);
            const double column = point.column + static_cast<double>(window.firstColumn);
            return placement->toGeo(geometry.xAt(row, column), geometry.yAt(row, column));
        };
        const WrittenDataSet written = writeDataSet(target, lines, levels, toGeo);
        if (!written.failure.empty()) return failure(folder, 0, written.failure);

        msg::WrittenSummary summary;
        summary.points = written.points;
        summary.lines = written.lines;
        summary.levels = written.levels.size();
        summary.shallowest = levels[*written.levels.begin()];
        summary.deepest = levels[*written.levels.rbegin()];
        summary.landNodes = values.land();
        summary.validNodes = values.valid();
        summary.placement = placement->description();
        if (options.area) {
            summary.areaColumns = window.columns();
            summary.areaRows = window.rows();
        }
        return {0, msg::written(summary), target};
    } catch (const std::bad_alloc&) {
        return failure(options.grid, 0, msg::outOfMemory());
    } catch (const std::length_error&) {
        return failure(options.grid, 0, msg::outOfMemory());
    }
}

}  // namespace gridcontour
