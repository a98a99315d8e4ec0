#include "xyz_grid_reader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input_error.h"
#include "messages.h"
#include "numbers.h"
#include "text_scanner.h"

namespace gridcontour {

namespace {

// Coordinates may be written with fewer digits than the step has (a 1″ grid
// in six decimals): a point within a tenth of a cell of a lattice node is
// that node.
constexpr double kOnLattice = 0.1;
// Two points one after the other lie in one row when the coordinate that the
// row holds is the same: exporters print it from one value for the whole row.
// (A relative test would take the jump back to the start of the next row,
// one row step across and the whole width along, for a move within a row.)
bool same(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a)); }
// A lattice with more nodes than this many per point is no grid with some
// points left out but scattered soundings.
constexpr double kMaxNodesPerPoint = 100;

struct XyzPoint {
    double x, y, z;
    long long line;
};

// "x y z" lines: blank lines are skipped, and so is one header line of words
// before the first point ("X Y Z", "lat,lon,depth").
class XyzLines {
public:
    XyzLines(std::FILE* file, long start) {
        if (std::fseek(file, start, SEEK_SET) != 0) throw InputError(msg::noValues(), 1);
        scanner_ = std::make_unique<TextScanner>(file);
    }

    // The next point; z is only checked to be there unless `readZ`.
    bool next(XyzPoint& point, bool readZ) {
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
            const double x = x_.read(fields[0], scanner_->line()), y = y_.read(fields[1], scanner_->line());
            double z = 0;
            if (readZ) {
                const auto value = parseValue(fields[2]);
                if (!value) throw InputError(msg::notANumber(fields[2]), scanner_->line());
                z = *value;
            }
            point = {x, y, z, scanner_->line()};
            seenPoint_ = true;
            return true;
        }
        return false;
    }
    long long line() const { return scanner_->line(); }

private:
    static bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r'; }

    // A coordinate column: one of the two repeats its text along a row, and
    // is read once a row (the file is read twice, number by number).
    class Column {
    public:
        double read(std::string_view text, long long line) {
            if (text == last_) return value_;
            const auto value = parseNumber(text);
            if (!value) throw InputError(msg::notANumber(text), line);
            last_.assign(text);
            return value_ = *value;
        }

    private:
        std::string last_;
        double value_ = 0;
    };

    std::unique_ptr<TextScanner> scanner_;
    Column x_, y_;
    bool seenPoint_ = false, seenHeader_ = false;
};

// The lattice step along one axis from the distances between neighbouring
// points: their mean over the pairs a whole number of steps apart, so that
// coordinates rounded in print average out. A distance clearly below the
// smallest so far is a finer step (the earlier ones skipped nodes): start again.
class StepEstimate {
public:
    void add(double distance) {
        if (!(distance > 0)) return;
        if (distance < 0.9 * smallest_) {
            sum_ = 0;
            steps_ = 0;
        }
        smallest_ = std::min(smallest_, distance);
        const double k = std::floor(distance / smallest_ + 0.5);
        if (k <= 8 && std::fabs(distance / smallest_ - k) <= kOnLattice) {
            sum_ += distance;
            steps_ += k;
        }
    }
    bool known() const { return steps_ > 0; }
    double step() const { return sum_ / steps_; }

private:
    double smallest_ = std::numeric_limits<double>::infinity();
    double sum_ = 0, steps_ = 0;
};

class XyzGridReader : public GridReader {
public:
    XyzGridReader(std::FILE* file, long start, const GridOptions& options)
        : file_(file), start_(start), noData_(options) {}

    // The first reading: the lattice that holds every point.
    void survey() {
        XyzLines lines(file_, start_);
        XyzPoint point{}, previous{}, first{};
        long long points = 0;
        double minX = 0, maxX = 0, minY = 0, maxY = 0;
        // The steps within rows along x and between them, and the same for rows along y.
        StepEstimate stepAlongX, stepAcrossX, stepAlongY, stepAcrossY;
        long long pairsAlongX = 0, pairsAlongY = 0;
        while (lines.next(point, false)) {
            if (points == 0) {
                first = point;
                minX = maxX = point.x;
                minY = maxY = point.y;
            } else {
                const double dx = std::fabs(point.x - previous.x), dy = std::fabs(point.y - previous.y);
                if (dx == 0 && dy == 0) throw InputError(msg::duplicatePoint(), point.line);
                // Within a row one coordinate stays; between rows both move.
                if (same(point.y, previous.y)) ++pairsAlongX, stepAlongX.add(dx);
                else stepAcrossX.add(dy);
                if (same(point.x, previous.x)) ++pairsAlongY, stepAlongY.add(dy);
                else stepAcrossY.add(dx);
                minX = std::min(minX, point.x), maxX = std::max(maxX, point.x);
                minY = std::min(minY, point.y), maxY = std::max(maxY, point.y);
            }
            previous = point;
            ++points;
        }
        if (points == 0) throw InputError(msg::noValues(), lines.line());

        // Rows run along x (GDAL's order), or along y in a file sorted by x first.
        const bool alongY = pairsAlongY > pairsAlongX;
        const StepEstimate& columnStep = alongY ? stepAlongY : stepAlongX;
        const StepEstimate& rowStep = alongY ? stepAcrossY : stepAcrossX;
        if (!columnStep.known() || !rowStep.known()) throw InputError(msg::tooSmall(), lines.line());
        const double columnFirst = alongY ? minY : minX, columnLast = alongY ? maxY : maxX;
        const double rowLow = alongY ? minX : minY, rowHigh = alongY ? maxX : maxY;
        const double columns = std::round((columnLast - columnFirst) / columnStep.step()) + 1;
        const double rows = std::round((rowHigh - rowLow) / rowStep.step()) + 1;
        if (columns > static_cast<double>(kMaxColumns) || rows > static_cast<double>(kMaxRows) ||
            columns * rows > kMaxNodesPerPoint * static_cast<double>(points) + 10'000)
            throw InputError(msg::scatteredPoints(points, columns, rows));
        if (columns < 2 || rows < 2) throw InputError(msg::tooSmall(), lines.line());
        // The rows come in file order from the first point's, upwards or downwards.
        const double firstRow = alongY ? first.x : first.y;
        const double tolerance = kOnLattice * rowStep.step();
        if (std::fabs(firstRow - rowLow) > tolerance && std::fabs(firstRow - rowHigh) > tolerance)
            throw InputError(msg::notRegular(), first.line);
        const bool upwards = std::fabs(firstRow - rowLow) <= tolerance;

        geometry_.columns = static_cast<long long>(columns);
        geometry_.rows = static_cast<long long>(rows);
        geometry_.rowsAlongY = alongY;
        columnFirst_ = columnFirst;
        columnStep_ = columnStep.step();
        rowFirst_ = upwards ? rowLow : rowHigh;
        rowStep_ = upwards ? rowStep.step() : -rowStep.step();
        (alongY ? geometry_.firstY : geometry_.firstX) = columnFirst_;
        (alongY ? geometry_.stepY : geometry_.stepX) = columnStep_;
        (alongY ? geometry_.firstX : geometry_.firstY) = rowFirst_;
        (alongY ? geometry_.stepX : geometry_.stepY) = rowStep_;

        lines_ = std::make_unique<XyzLines>(file_, start_);
    }

    const GridGeometry& geometry() const override { return geometry_; }
    bool xyz() const override { return true; }

    bool nextRow(std::vector<double>& values) override {
        if (row_ == geometry_.rows) {
            if (pending_) throw InputError(msg::notRegular(), pending_->line);  // a row that came back
            return false;
        }
        values.assign(static_cast<std::size_t>(geometry_.columns), std::numeric_limits<double>::quiet_NaN());
        filled_.assign(values.size(), 0);
        for (;;) {
            if (!pending_) {
                XyzPoint point{};
                if (!lines_->next(point, true)) break;
                pending_ = point;
            }
            long long row = 0, column = 0;
            nodeOf(*pending_, row, column);
            if (row < row_) throw InputError(msg::notRegular(), pending_->line);  // rows out of order
            if (row > row_) break;                                                 // the next row's first point
            const auto c = static_cast<std::size_t>(column);
            if (filled_[c]) throw InputError(msg::duplicatePoint(), pending_->line);
            filled_[c] = 1;
            values[c] = noData_.apply(pending_->z);
            pending_.reset();
        }
        ++row_;
        return true;
    }

private:
    void nodeOf(const XyzPoint& point, long long& row, long long& column) const {
        const double along = geometry_.rowsAlongY ? point.y : point.x;
        const double across = geometry_.rowsAlongY ? point.x : point.y;
        const double c = (along - columnFirst_) / columnStep_, r = (across - rowFirst_) / rowStep_;
        const double rc = std::floor(c + 0.5), rr = std::floor(r + 0.5);
        if (std::fabs(c - rc) > kOnLattice || std::fabs(r - rr) > kOnLattice || rc < 0 ||
            rc >= static_cast<double>(geometry_.columns) || rr < 0 || rr >= static_cast<double>(geometry_.rows))
            throw InputError(msg::notRegular(), point.line);
        row = static_cast<long long>(rr);
        column = static_cast<long long>(rc);
    }

    std::FILE* file_;
    long start_;
    NoDataRule noData_;
    GridGeometry geometry_;
    double columnFirst_ = 0, columnStep_ = 1, rowFirst_ = 0, rowStep_ = 1;
    std::unique_ptr<XyzLines> lines_;
    std::optional<XyzPoint> pending_;
    std::vector<char> filled_;
    long long row_ = 0;
};

}  // namespace

std::unique_ptr<GridReader> openXyzGrid(std::FILE* file, long start, const GridOptions& options) {
    auto reader = std::make_unique<XyzGridReader>(file, start, options);
    reader->survey();
    return reader;
}

}  // namespace gridcontour
