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

namespace gridcontour {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Grid coordinates may be written with fewer digits than the step has: a
// node within a thousandth of a cell of its place is on the grid.
constexpr double kRegularTolerance = 1e-3;

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

class NoDataRule {
public:
    explicit NoDataRule(const GridOptions& options) : has_(options.hasNodata), value_(options.nodata) {}
    // Exporters write the NODATA value with the same digits in header and data;
    // a float grid written with fewer digits still comes within this of it.
    double apply(double value) const {
        if (has_ && (value == value_ || std::fabs(value - value_) <= 1e-6 * std::max(1.0, std::fabs(value_)))) return kNaN;
        return value;
    }

private:
    bool has_;
    double value_;
};

// ---- ESRI ASCII grid -------------------------------------------------------

class AsciiGridReader : public GridReader {
public:
    AsciiGridReader(std::unique_ptr<TextScanner> scanner, const GridGeometry& geometry, const GridOptions& options,
                    std::string firstValue, long long firstValueLine)
        : scanner_(std::move(scanner)), geometry_(geometry), noData_(options), pending_(std::move(firstValue)),
          pendingLine_(firstValueLine) {}

    const GridGeometry& geometry() const override { return geometry_; }
    bool geometryComplete() const override { return true; }
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
            const auto number = parseNumber(token);
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
    while (!parseNumber(key)) {
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
        else if (equalsIgnoringCase(keyText, "nodata_value")) nodata = number();
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

// ---- XYZ grid --------------------------------------------------------------

struct XyzPoint {
    double x, y, z;
    long long line;
};

class XyzGridReader : public GridReader {
public:
    XyzGridReader(std::unique_ptr<TextScanner> scanner, const GridOptions& options)
        : scanner_(std::move(scanner)), noData_(options) {}

    // Reads the first row, which fixes the columns and the x step.
    void start() {
        XyzPoint point;
        if (!nextPoint(point)) throw InputError(msg::noValues(), scanner_->line());
        const double rowY = point.y;
        firstRow_.push_back(noData_.apply(point.z));
        geometry_.firstX = point.x;
        geometry_.firstY = point.y;
        while (nextPoint(point)) {
            if (firstRow_.size() == 1) {
                if (point.y != rowY) throw InputError(msg::notRegular(), point.line);
                geometry_.stepX = point.x - geometry_.firstX;
                if (geometry_.stepX == 0) throw InputError(msg::notRegular(), point.line);
            } else if (!sameY(point.y, rowY)) {
                pending_ = point;
                break;
            }
            checkX(point, static_cast<long long>(firstRow_.size()));
            if (static_cast<long long>(firstRow_.size()) == kMaxColumns)
                throw InputError(msg::badGridSize("x", std::to_string(kMaxColumns + 1)), point.line);
            firstRow_.push_back(noData_.apply(point.z));
        }
        geometry_.columns = static_cast<long long>(firstRow_.size());
        if (geometry_.columns < 2) throw InputError(msg::tooSmall(), scanner_->line());
    }

    const GridGeometry& geometry() const override { return geometry_; }
    bool geometryComplete() const override { return geometry_.rows > 0; }
    bool xyz() const override { return true; }

    bool nextRow(std::vector<double>& values) override {
        if (!firstRow_.empty()) {
            values.swap(firstRow_);
            firstRow_.clear();
            firstRow_.shrink_to_fit();
            rows_ = 1;
            return true;
        }
        if (!pending_) {
            if (rows_ < 2) throw InputError(msg::tooSmall(), scanner_->line());
            geometry_.rows = rows_;
            return false;
        }
        const XyzPoint start = *pending_;
        pending_.reset();
        if (rows_ == 1) {
            geometry_.stepY = start.y - geometry_.firstY;
        } else if (std::fabs(start.y - (geometry_.firstY + static_cast<double>(rows_) * geometry_.stepY)) >
                   kRegularTolerance * std::fabs(geometry_.stepY)) {
            throw InputError(msg::notRegular(), start.line);
        }
        values.resize(static_cast<std::size_t>(geometry_.columns));
        long long column = 0;
        XyzPoint point = start;
        for (;;) {
            if (column == geometry_.columns) throw InputError(msg::notRegular(), point.line);
            checkX(point, column);
            values[static_cast<std::size_t>(column++)] = noData_.apply(point.z);
            if (!nextPoint(point)) break;
            if (!sameY(point.y, start.y)) {
                pending_ = point;
                break;
            }
        }
        if (column != geometry_.columns) throw InputError(msg::notRegular(), scanner_->line());
        ++rows_;
        if (rows_ > kMaxRows) throw InputError(msg::badGridSize("y", std::to_string(rows_)), point.line);
        return true;
    }

private:
    bool sameY(double y, double rowY) const {
        const double step = geometry_.stepY != 0 ? std::min(std::fabs(geometry_.stepY), std::fabs(geometry_.stepX))
                                                 : std::fabs(geometry_.stepX);
        return std::fabs(y - rowY) <= kRegularTolerance * step;
    }

    void checkX(const XyzPoint& point, long long column) const {
        const double expected = geometry_.firstX + static_cast<double>(column) * geometry_.stepX;
        if (std::fabs(point.x - expected) > kRegularTolerance * std::fabs(geometry_.stepX))
            throw InputError(msg::notRegular(), point.line);
    }

    // The next "x y z" line; blank lines are skipped, and so is one header
    // line of words before the first point ("X Y Z").
    bool nextPoint(XyzPoint& point) {
        std::string_view line;
        while (scanner_->nextLine(line)) {
            std::string_view fields[4];
            int count = 0;
            std::size_t i = 0;
            while (i < line.size()) {
                while (i < line.size() && isSeparator(line[i])) ++i;
                if (i == line.size()) break;
                const std::size_t start = i;
                while (i < line.size() && !isSeparator(line[i])) ++i;
                if (count == 4) break;
                fields[count++] = line.substr(start, i - start);
            }
            if (count == 0) continue;
            const bool headerAllowed = !seenPoint_ && !seenHeader_;
            seenHeader_ = true;
            if (headerAllowed && count == 3 && !parseNumber(fields[0])) continue;
            if (count != 3) throw InputError(msg::notXyzLine(), scanner_->line());
            double value[3];
            for (int k = 0; k < 3; ++k) {
                const auto number = parseNumber(fields[k]);
                if (!number) throw InputError(msg::notANumber(fields[k]), scanner_->line());
                value[k] = *number;
            }
            point = {value[0], value[1], value[2], scanner_->line()};
            seenPoint_ = true;
            return true;
        }
        return false;
    }

    static bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r'; }

    std::unique_ptr<TextScanner> scanner_;
    NoDataRule noData_;
    GridGeometry geometry_;
    std::vector<double> firstRow_;
    std::optional<XyzPoint> pending_;
    long long rows_ = 0;
    bool seenPoint_ = false, seenHeader_ = false;
};

}  // namespace

std::unique_ptr<GridReader> openGrid(std::FILE* file, const GridOptions& options) {
    auto scanner = std::make_unique<TextScanner>(file);
    std::string_view first;
    if (!scanner->nextToken(first)) throw InputError(msg::noValues(), 1);
    // An ASCII grid starts with its header; an XYZ grid with a number or a
    // header line of words that is not an ASCII grid key.
    if (isAsciiGridKey(first)) {
        return openAsciiGrid(std::move(scanner), first, options);
    }
    std::rewind(file);
    auto reader = std::make_unique<XyzGridReader>(std::make_unique<TextScanner>(file), options);
    reader->start();
    return reader;
}

}  // namespace gridcontour
