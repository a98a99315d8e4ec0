#include "contour_command.h"

#include <charconv>
#include <cmath>
#include <new>

#include "bathymetry/contour_store.h"
#include "contour_builder.h"
#include "geodesy/plane_rect.h"
#include "geodesy/plane_rect_zones.h"
#include "grid_reader.h"
#include "input_error.h"
#include "levels.h"
#include "m7000_writer.h"
#include "messages.h"
#include "numbers.h"
#include "native_file.h"

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
            options.nodata = parseNumber(value);
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
        FilePtr file = openFile(options.grid, false);
        if (!file) return failure(options.grid, 0, msg::cannotOpenGrid());
        GridOptions gridOptions;
        if (options.nodata) {
            gridOptions.hasNodata = true;
            gridOptions.nodata = *options.nodata;
        }
        std::vector<ContourLine> lines;
        GridGeometry geometry;
        long long points = 0;
        try {
            auto reader = openGrid(file.get(), gridOptions);
            ContourBuilder builder(reader->geometry().columns, levels, vornel::kContourStoreCapacity);
            std::vector<double> row;
            while (reader->nextRow(row)) {
                if (!options.depths)
                    for (double& value : row) value = -value;  // elevations: negative below the sea
                builder.addRow(row);
            }
            geometry = reader->geometry();
            points = builder.pointCount();
            if (builder.overLimit())
                return failure(options.grid, 0, msg::tooManyPoints(points, levels.size(), vornel::kContourStoreCapacity));
            lines = builder.finish();
        } catch (const InputError& error) {
            return failure(options.grid, error.line(), error.what());
        }
        file.reset();
        if (lines.empty()) return failure(options.grid, 0, msg::noContour(levels.size()));

        std::error_code error;
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

        const vornel::PlaneRectProjector projector =
            options.zone ? vornel::PlaneRectProjector(vornel::planeRectZoneOrigin(options.zone).lat,
                                                      vornel::planeRectZoneOrigin(options.zone).lon)
                         : vornel::PlaneRectProjector();
        const auto toGeo = [&](const GridPoint& point) {
            const double x = geometry.firstX + point.column * geometry.stepX;
            const double y = geometry.firstY + point.row * geometry.stepY;
            if (!options.zone) return GeoPoint{y, x};
            GeoPoint geo{};
            projector.toGeographic(y, x, geo.lat, geo.lon);  // northing, easting
            return geo;
        };
        const std::string written = writeDataSet(target, lines, levels, toGeo);
        if (!written.empty()) return failure(folder, 0, written);

        std::set<std::size_t> usedLevels;
        long long writtenPoints = 0;
        for (const ContourLine& line : lines) {
            usedLevels.insert(line.level);
            writtenPoints += static_cast<long long>(line.points.size());
        }
        return {0, msg::written(writtenPoints, static_cast<long long>(lines.size()), usedLevels.size()), target};
    } catch (const std::bad_alloc&) {
        return failure(options.grid, 0, msg::outOfMemory());
    } catch (const std::length_error&) {
        return failure(options.grid, 0, msg::outOfMemory());
    }
}

}  // namespace gridcontour
