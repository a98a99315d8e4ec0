// otable.5 / otable.20 and the chart contour files.
#include <cmath>
#include <stdexcept>

#include "contour_file.h"
#include "cp932.h"
#include "geodesy/plane_rect.h"
#include "outputs.h"
#include "text_out.h"

namespace sampledata {
namespace {

struct Series {
    const char* folder;     // UTF-8 folder name under Db01
    const char* table;      // table file name
    std::size_t codeWidth;  // code columns from 0
    std::size_t titleColumn;
    double step;       // m between grid nodes
    double tolerance;  // m, line simplification
    double smoothing;  // m, blur of the distance field
    std::vector<double> levels;
    bool showWorks;  // breakwaters only show at the larger scale
};

const Series k50k{"5万分の1", "otable.5", 9, 118, 80, 4, 400, {5, 10, 20, 30, 50, 100, 200}, true};
const Series k200k{"20万分の1", "otable.20", 7, 116, 400, 20, 1500, {10, 20, 50, 100, 200, 500, 1000, 1500}, false};

const HarbourSite& siteNamed(const std::string& name) {
    for (const HarbourSite& h : harbourSites())
        if (h.name == name) return h;
    throw std::runtime_error("chart refers to unknown harbour " + name);
}

// Code in its columns, the romanised name at column 20 for human readers,
// the title in its 30 columns.
std::string tableLine(const Series& s, const ChartSite& c) {
    return padded(padded(c.code, s.codeWidth) + "           " + c.romaji, s.titleColumn) + padded(toCp932(c.title), 30);
}

void writeChart(const std::filesystem::path& db, const Series& s, const ChartSite& c,
                const std::vector<CoastPolygon>& coast, const std::vector<GeneratedHarbour>& harbours,
                std::ostream& log) {
    const ZoneOrigin o = zoneOrigin(c.zone);
    const double reachDeg = 0.5 + std::max(c.width, c.height) / 111000.0;
    const CoastField field(coast, o.lat, o.lon, c.lat, c.lon, reachDeg);
    double centreN, centreE;
    vornel::toPlaneRect(c.lat, c.lon, o.lat, o.lon, centreN, centreE);
    const int nx = static_cast<int>(std::lround(c.width / s.step)) + 1;
    const int ny = static_cast<int>(std::lround(c.height / s.step)) + 1;
    const double e0 = std::round((centreE - c.width / 2) / s.step) * s.step;
    const double n0 = std::round((centreN - c.height / 2) / s.step) * s.step;

    SeabedModel model = siteNamed(c.seabedOf).seabed;
    model.smoothing = s.smoothing;
    std::vector<PlacedWorks> works;
    if (s.showWorks)
        for (const GeneratedHarbour& h : harbours) works.push_back(h.works);  // far ones fall outside the sheet

    const Grid depth = buildSeabed(field, o.lat, o.lon, e0, n0, s.step, nx, ny, model, works);
    const std::vector<ContourRecord> records = traceLevels(depth, s.levels, s.tolerance, 6 * s.step);
    writeFile(db / utf8Path(s.folder) / c.code, formatContourFile(records, o.lat, o.lon, depth));
    log << fmt("  %s/%s: %zu contours, %zu points\n", s.folder, c.code.c_str(), records.size(), pointCount(records));
}

void writeSeries(const std::filesystem::path& db, const Series& s, const std::vector<ChartSite>& charts,
                 const std::vector<CoastPolygon>& coast, const std::vector<GeneratedHarbour>& harbours,
                 std::ostream& log) {
    std::string table;
    for (const ChartSite& c : charts) {
        if (c.code.size() > s.codeWidth) throw std::runtime_error("chart code too long: " + c.code);
        addLine(table, tableLine(s, c));
        writeChart(db, s, c, coast, harbours, log);
    }
    writeFile(db / s.table, table);
}

}  // namespace

void writeCharts(const std::filesystem::path& root, const std::vector<CoastPolygon>& coast,
                 const std::vector<GeneratedHarbour>& harbours, std::ostream& log) {
    const std::filesystem::path db = root / "Db01";
    writeSeries(db, k50k, chart50kSites(), coast, harbours, log);
    writeSeries(db, k200k, chart200kSites(), coast, harbours, log);
}

}  // namespace sampledata
