#include "contour_file.h"

#include <stdexcept>

#include "text_out.h"

namespace sampledata {
namespace {

constexpr int kMaxRecordPoints = 99999;  // the count has five columns

constexpr const char* kEndMarker = "   1000.00    5";

std::string header(double depth, std::size_t n) {
    const std::string h = fmt("%10.2f%5zu", depth, n);
    // a contour of 1000 m with five points would read as the end of the file
    if (h == kEndMarker) throw std::runtime_error("contour record collides with the end marker");
    return h;
}

void addPoints(std::string& file, const std::vector<PlanePt>& pts) {
    std::string line;
    for (std::size_t k = 0; k < pts.size(); ++k) {
        line += fmt("%10.2f%10.2f", pts[k].east, pts[k].north);
        if (line.size() != 20 * (k % 4 + 1)) throw std::runtime_error("coordinate wider than ten columns");
        if (k % 4 == 3 || k + 1 == pts.size()) {
            addLine(file, line);
            line.clear();
        }
    }
}

}  // namespace

std::vector<ContourRecord> traceLevels(const Grid& g, const std::vector<double>& levels, double tolerance,
                                       double minLoop) {
    std::vector<ContourRecord> records;
    for (double level : levels) {
        for (Polyline& line : traceContours(g, level)) {
            if (line.closed && length(line) < minLoop) continue;
            simplify(line, tolerance);
            if (line.pts.size() < 2) continue;
            if (line.pts.size() == 5 && fmt("%10.2f%5d", level, 5) == kEndMarker) {
                // would read as the end of the file: a midpoint makes it six points, the same line
                const PlanePt a = line.pts[0], b = line.pts[1];
                line.pts.insert(line.pts.begin() + 1, PlanePt{(a.east + b.east) / 2, (a.north + b.north) / 2});
            }
            // split lines the five-column count cannot hold; the pieces share their joint
            for (std::size_t start = 0; start + 1 < line.pts.size(); start += kMaxRecordPoints - 1) {
                const std::size_t end = std::min(line.pts.size(), start + kMaxRecordPoints);
                records.push_back({level, std::vector<PlanePt>(line.pts.begin() + static_cast<std::ptrdiff_t>(start),
                                                               line.pts.begin() + static_cast<std::ptrdiff_t>(end))});
            }
        }
    }
    return records;
}

std::string formatContourFile(const std::vector<ContourRecord>& records, double originLat, double originLon,
                              const Grid& frame) {
    const std::string origin = dmsHeaderField(originLat, 'N', 'S') + " " + dmsHeaderField(originLon, 'E', 'W');
    std::string file;
    bool first = true;
    auto addHeader = [&](std::string h) {
        if (first) h = padded(h, 49) + origin;  // the origin only in the first header
        first = false;
        addLine(file, h);
    };
    for (const ContourRecord& r : records) {
        addHeader(header(r.depth, r.pts.size()));
        addPoints(file, r.pts);
    }
    const std::vector<PlanePt> box{{frame.east0, frame.north0},
                                   {frame.eastMax(), frame.north0},
                                   {frame.eastMax(), frame.northMax()},
                                   {frame.east0, frame.northMax()},
                                   {frame.east0, frame.north0}};
    addHeader(kEndMarker);
    addPoints(file, box);
    return file;
}

std::size_t pointCount(const std::vector<ContourRecord>& records) {
    std::size_t n = 0;
    for (const ContourRecord& r : records) n += r.pts.size();
    return n;
}

}  // namespace sampledata
