#include "grid_reader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "input_error.h"
#include "messages.h"
#include "numbers.h"
#include "text_scanner.h"
#include "xyz_grid_reader.h"

namespace gridcontour {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// A count such as ncols: an integer, also when written "4000.0".
std::optional<long long> parseCount(std::string_view text) {
    const auto number = parseNumber(text);
    if (!number || *number != std::floor(*number) || std::fabs(*number) > 9e18) return std::nullopt;
    return static_cast<long long>(*number);
}

// ---- ESRI ASCII grid -------------------------------------------------------

class AsciiGridReader : public GridReader {
public:
    AsciiGridReader(std::unique_ptr<TextScanner> scanner, const GridGeometry& geometry, const GridOptions& options,
                    std::string firstValue, long long firstValueLine)
        : scanner_(std::move(scanner)), geometry_(geometry), noData_(options), pending_(std::move(firstValue)),
          pendingLine_(firstValueLine) {}

    const GridGeometry& geometry() const override { return geometry_; }
    bool xyz() const override { return false; }

    bool nextRow(std::vector<double>& values) override {
        std::string_view token;
        long long line = 0;
        if (row_ == geometry_.rows) {
            if (nextToken(token, line)) throw InputError(msg::extraValues(geometry_.columns, geometry_.rows), line);
            return false;
        }
        values.resize(static_cast<std::size_t>(geometry_.columns));
        for (auto& value : values) {
            if (!nextToken(token, line)) throw InputError(msg::gridCut(row_ + 1, geometry_.rows), scanner_->line());
            const auto number = parseValue(token);
            if (!number) throw InputError(msg::notANumber(token), line);
            value = noData_.apply(*number);
        }
        ++row_;
        return true;
    }

private:
    // The header's end is found by reading the first value; it comes first.
    bool nextToken(std::string_view& token, long long& line) {
        if (!pending_.empty()) {
            token = held_ = std::move(pending_);
            pending_.clear();
            line = pendingLine_;
            return true;
        }
        if (!scanner_->nextToken(token)) return false;
        line = scanner_->line();
        return true;
    }

    std::unique_ptr<TextScanner> scanner_;
    GridGeometry geometry_;
    NoDataRule noData_;
    std::string pending_, held_;
    long long pendingLine_;
    long long row_ = 0;
};

std::unique_ptr<GridReader> openAsciiGrid(std::unique_ptr<TextScanner> scanner, std::string_view key,
                                          GridOptions options) {
    std::optional<long long> columns, rows;
    std::optional<double> xll, yll, cellSize, dx, dy, nodata;
    bool xCentre = false, yCentre = false;
    // Keys are words; the first token that is a number is the first value.
    while (!parseValue(key)) {
        const long long keyLine = scanner->line();
        std::string keyText(key);
        std::string_view valueText;
        if (!scanner->nextToken(valueText)) throw InputError(msg::headerIncomplete(), keyLine);
        const long long line = scanner->line();
        const auto number = [&] {
            const auto v = parseNumber(valueText);
            if (!v) throw InputError(msg::notANumber(valueText), line);
            return *v;
        };
        const auto count = [&](long long limit) {
            const auto v = parseCount(valueText);
            if (!v) throw InputError(msg::notANumber(valueText), line);
            if (*v < 2 || *v > limit) throw InputError(msg::badGridSize(keyText, valueText), line);
            return *v;
        };
        if (equalsIgnoringCase(keyText, "ncols")) columns = count(kMaxColumns);
        else if (equalsIgnoringCase(keyText, "nrows")) rows = count(kMaxRows);
        else if (equalsIgnoringCase(keyText, "xllcorner")) xll = number(), xCentre = false;
        else if (equalsIgnoringCase(keyText, "xllcenter")) xll = number(), xCentre = true;
        else if (equalsIgnoringCase(keyText, "yllcorner")) yll = number(), yCentre = false;
        else if (equalsIgnoringCase(keyText, "yllcenter")) yll = number(), yCentre = true;
        else if (equalsIgnoringCase(keyText, "cellsize")) cellSize = number();
        else if (equalsIgnoringCase(keyText, "dx")) dx = number();
        else if (equalsIgnoringCase(keyText, "dy")) dy = number();
        else if (equalsIgnoringCase(keyText, "nodata_value")) {
            nodata = parseValue(valueText);  // "nan": only NaN cells are no data, as always
            if (!nodata) throw InputError(msg::notANumber(valueText), line);
        }
        else throw InputError(msg::unknownHeaderKey(keyText), keyLine);
        if (!scanner->nextToken(key)) throw InputError(msg::gridCut(0, rows.value_or(0)), scanner->line());
    }
    if (!columns || !rows || !xll || !yll || !(cellSize || (dx && dy)))
        throw InputError(msg::headerIncomplete(), scanner->line());
    const double stepX = dx ? *dx : *cellSize;
    const double stepY = dy ? *dy : *cellSize;
    if (!(stepX > 0) || !(stepY > 0)) throw InputError(msg::badCellSize(), scanner->line());

    GridGeometry geometry;
    geometry.columns = *columns;
    geometry.rows = *rows;
    // With *corner the values are cell averages, placed at the cell centres as
    // GDAL and QGIS read them; the file's first row is the northern one.
    geometry.firstX = xCentre ? *xll : *xll + stepX / 2;
    const double southY = yCentre ? *yll : *yll + stepY / 2;
    geometry.firstY = southY + static_cast<double>(*rows - 1) * stepY;
    geometry.stepX = stepX;
    geometry.stepY = -stepY;
    if (!options.hasNodata && nodata) {
        options.hasNodata = true;
        options.nodata = *nodata;
    }
    const long long line = scanner->line();
    return std::make_unique<AsciiGridReader>(std::move(scanner), geometry, options, std::string(key), line);
}

bool isAsciiGridKey(std::string_view word) {
    for (const char* key : {"ncols", "nrows", "xllcorner", "xllcenter", "yllcorner", "yllcenter", "cellsize", "dx", "dy",
                            "nodata_value"})
        if (equalsIgnoringCase(word, key)) return true;
    return false;
}

// ---- What kind of file ------------------------------------------------------

// Refuses a file that is no text grid, saying what it is; returns the offset
// of the text (after a UTF-8 mark).
long textStart(std::FILE* file, const GridOptions& options) {
    // A NUL in the first 64 KB: no text file.
    std::vector<unsigned char> head(1 << 16);
    head.resize(std::fread(head.data(), 1, head.size(), file));
    std::rewind(file);
    const auto startsWith = [&head](std::string_view magic) {
        return head.size() >= magic.size() && std::equal(magic.begin(), magic.end(), head.begin(),
                                                         [](char m, unsigned char h) { return static_cast<unsigned char>(m) == h; });
    };
    using namespace std::string_view_literals;
    if (startsWith("II*\0"sv) || startsWith("MM\0*"sv) || startsWith("II+\0"sv) || startsWith("MM\0+"sv))
        throw InputError(msg::geoTiff(options.name, options.stem));
    if (startsWith("CDF\x01"sv) || startsWith("CDF\x02"sv) || startsWith("CDF\x05"sv) ||
        startsWith("\x89HDF\r\n\x1a\n"sv))
        throw InputError(msg::netCdf(options.name, options.stem));
    if (startsWith("PK\x03\x04"sv)) throw InputError(msg::zipFile());
    if (startsWith("\xFF\xFE"sv) || startsWith("\xFE\xFF"sv)) throw InputError(msg::utf16Text());
    if (startsWith("DSAA"sv) || startsWith("DSBB"sv) || startsWith("DSRB"sv))
        throw InputError(msg::surferGrid(options.name, options.stem));
    if (std::find(head.begin(), head.end(), 0) != head.end()) throw InputError(msg::binaryFile(options.name, options.stem));
    // Notepad's 「UTF-8 (BOM 付き)」 puts a mark before the first character.
    return startsWith("\xEF\xBB\xBF"sv) ? 3 : 0;
}

}  // namespace

std::unique_ptr<GridReader> openGrid(std::FILE* file, const GridOptions& options) {
    const long start = textStart(file, options);
    if (std::fseek(file, start, SEEK_SET) != 0) throw InputError(msg::noValues(), 1);
    auto scanner = std::make_unique<TextScanner>(file);
    std::string_view first;
    if (!scanner->nextToken(first)) throw InputError(msg::noValues(), 1);
    // An ASCII grid starts with its header; an XYZ grid with a number or a
    // header line of words that is not an ASCII grid key.
    if (isAsciiGridKey(first)) return openAsciiGrid(std::move(scanner), first, options);
    scanner.reset();
    return openXyzGrid(file, start, options);
}

}  // namespace gridcontour
