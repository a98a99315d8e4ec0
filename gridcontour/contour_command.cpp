#include "contour_command.h"

#include <charconv>
#include <cmath>
#include <new>

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

// An option as ASCII text; anything else cannot be an option of ours.
std::optional<std::string> asciiOf(const std::filesystem::path& argument) {
    std::string text;
    for (const auto c : argument.native()) {
        const auto code = static_cast<std::make_unsigned_t<std::remove_const_t<decltype(c)>>>(c);
        if (code >= 0x80) return std::nullopt;
        text += static_cast<char>(code);
    }
    return text;
}

bool startsWith(const std::string& text, const char* prefix, std::string& rest) {
    const std::string p(prefix);
    if (text.compare(0, p.size(), p) != 0) return false;
    rest = text.substr(p.size());
    return true;
}

ContourOutcome failure(const std::filesystem::path& file, long long line, const std::string& message) {
    std::string text = utf8Of(file);
    if (line > 0) text += "(" + std::to_string(line) + "行目)";
    return {1, text + ": " + message, {}};
}

}  // namespace

ContourOptions parseArguments(const std::vector<std::filesystem::path>& arguments) {
    ContourOptions options;
    int positional = 0;
    for (const auto& argument : arguments) {
        const auto text = asciiOf(argument);
        if (!text || text->compare(0, 2, "--") != 0) {
            if (positional == 0) options.grid = argument;
            else if (positional == 1) options.folder = argument;
            else throw InputError(msg::usage());
            ++positional;
            continue;
        }
        std::string value;
        if (*text == "--depths") {
            options.depths = true;
        } else if (startsWith(*text, "--levels=", value)) {
            options.levels = parseLevels(value);
        } else if (startsWith(*text, "--zone=", value)) {
            int zone = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), zone);
            if (value.empty() || error != std::errc() || end != value.data() + value.size() || zone < 1 ||
                zone > vornel::kPlaneRectZoneCount)
                throw InputError(msg::badZone(value));
            options.zone = zone;
        } else if (startsWith(*text, "--nodata=", value)) {
            options.nodata = parseValue(value);  // "nan" too
            if (!options.nodata) throw InputError(msg::badOption(*text));
        } else {
            throw InputError(msg::badOption(*text) + " " + msg::usage());
        }
    }
    if (positional == 0) throw InputError(msg::usage());
    return options;
}

ContourOutcome runContour(const ContourOptions& options) {
    const std::vector<double> levels = options.levels ? *options.levels : defaultLevels();
    const std::filesystem::path folder = options.folder.empty() ? options.grid.parent_path() : options.folder;
    try {
        std::error_code error;
        if (std::filesystem::is_directory(options.grid, error)) return failure(options.grid, 0, msg::folderGiven());
        FilePtr file = openFile(options.grid, false);
        if (!file) return failure(options.grid, 0, msg::cannotOpenGrid());
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
        ValueSurvey values(options.depths);
        try {
            auto reader = openGrid(file.get(), gridOptions);
            // Where the grid lies is known from an ASCII grid's header and
            // from the first reading of an XYZ file: a grid that cannot be
            // placed is refused before any value is contoured.
            placement = placeGrid({reader->geometry(), reader->xyz(), options.zone, options.grid, prjBeside(options.grid)});
            ContourBuilder builder(reader->geometry().columns, levels, vornel::kContourStoreCapacity);
            std::vector<double> row;
            while (reader->nextRow(row)) {
                values.add(row);
                if (!options.depths)
                    for (double& value : row) value = -value;  // elevations: negative below the sea
                builder.addRow(row);
            }
            geometry = reader->geometry();
            // What the values say about their labelling comes before what
            // they gave: a NODATA value left in makes cliffs, land read as sea
            // makes contours, and both can also overflow the limit.
            if (values.valid() == 0) return failure(options.grid, 0, msg::allNoData());
            if (const auto problem = values.noDataLeftIn()) return failure(options.grid, 0, *problem);
            if (const auto problem = values.signLooksWrong()) return failure(options.grid, 0, *problem);
            if (builder.overLimit())
                return failure(options.grid, 0,
                               msg::tooManyPoints(builder.pointCount(), levels.size(), vornel::kContourStoreCapacity));
            lines = builder.finish();
        } catch (const InputError& error) {
            return failure(options.grid, error.line(), error.what());
        }
        file.reset();
        if (lines.empty()) return failure(options.grid, 0, msg::noContour(levels.size()));

        if (!std::filesystem::is_directory(folder, error))
            return failure(folder, 0, msg::cannotWriteFolder("フォルダーがありません"));
        const std::filesystem::path stem = options.dataSetStem ? *options.dataSetStem : options.grid.stem();
        std::filesystem::path target;
        try {
            target = chooseDataSetName(folder, stem, options.reservedCodes);
        } catch (const std::filesystem::filesystem_error&) {
            return failure(folder, 0, msg::cannotWriteFolder("フォルダーの中を読めません"));
        }
        if (target.empty()) return failure(folder, 0, msg::allCodesUsed());
        target = std::filesystem::absolute(target, error);

        const auto toGeo = [&](const GridPoint& point) {
            return placement->toGeo(geometry.xAt(point.row, point.column), geometry.yAt(point.row, point.column));
        };
        const std::string written = writeDataSet(target, lines, levels, toGeo);
        if (!written.empty()) return failure(folder, 0, written);

        std::set<std::size_t> usedLevels;
        msg::WrittenSummary summary;
        for (const ContourLine& line : lines) {
            usedLevels.insert(line.level);
            summary.points += static_cast<long long>(line.points.size());
        }
        summary.lines = static_cast<long long>(lines.size());
        summary.levels = usedLevels.size();
        summary.shallowest = levels[*usedLevels.begin()];
        summary.deepest = levels[*usedLevels.rbegin()];
        summary.landNodes = values.land();
        summary.validNodes = values.valid();
        summary.placement = placement->description();
        return {0, msg::written(summary), target};
    } catch (const std::bad_alloc&) {
        return failure(options.grid, 0, msg::outOfMemory());
    } catch (const std::length_error&) {
        return failure(options.grid, 0, msg::outOfMemory());
    }
}

}  // namespace gridcontour
