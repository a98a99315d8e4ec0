// kowan.lst and the harbour contour files.
#include <cmath>

#include "contour_file.h"
#include "cp932.h"
#include "geodesy/plane_rect.h"
#include "outputs.h"
#include "text_out.h"

namespace sampledata {
namespace {

constexpr double kStep = 25;        // m between grid nodes
constexpr double kTolerance = 0.2;  // m, line simplification
constexpr double kMinLoop = 150;    // m, shorter loops are dropped
const std::vector<double> kLevels = {2, 5, 10, 15, 20, 30, 50, 100};

const char* zoneName(int zone) {
    static const char* const kNames[] = {"I",  "II",  "III",  "IV",  "V",  "VI",  "VII",  "VIII",  "IX", "X",
                                         "XI", "XII", "XIII", "XIV", "XV", "XVI", "XVII", "XVIII", "XIX"};
    return kNames[zone - 1];
}

// One record line: name 0–19, region 50–59, origin 142–155 and 156–169; the
// columns between hold the romanised name and the zone, which the program
// does not read.
std::string listLine(const HarbourSite& h) {
    const ZoneOrigin o = zoneOrigin(h.zone);
    std::string line = padded(toCp932(h.name), 20) + padded(h.romaji, 30) + padded(toCp932(h.region), 10) +
                       padded(fmt("zone %s", zoneName(h.zone)), 82) + dmsListField(o.lat) + dmsListField(o.lon);
    return line;
}

GeneratedHarbour writeHarbour(const std::filesystem::path& db, const HarbourSite& h,
                              const std::vector<CoastPolygon>& coast, std::ostream& log) {
    const ZoneOrigin o = zoneOrigin(h.zone);
    const CoastField field(coast, o.lat, o.lon, h.lat, h.lon, 1.0);
    GeneratedHarbour out{&h, placeWorks(field, o.lat, o.lon, h.lat, h.lon, h.works, h.seawardAzimuth)};

    // The surveyed square: most of it sea, the harbour a third of the way out.
    double anchorN, anchorE, seaN, seaE;
    vornel::toPlaneRect(out.works.anchorLat, out.works.anchorLon, o.lat, o.lon, anchorN, anchorE);
    vornel::toPlaneRect(out.works.seawardLat, out.works.seawardLon, o.lat, o.lon, seaN, seaE);
    const double shift = 0.25 * h.extent / 1000.0;
    const double centreE = anchorE + (seaE - anchorE) * shift, centreN = anchorN + (seaN - anchorN) * shift;
    const int n = static_cast<int>(std::lround(h.extent / kStep)) + 1;
    const double e0 = std::round((centreE - h.extent / 2) / kStep) * kStep;
    const double n0 = std::round((centreN - h.extent / 2) / kStep) * kStep;

    const Grid depth = buildSeabed(field, o.lat, o.lon, e0, n0, kStep, n, n, h.seabed, {out.works});
    const std::vector<ContourRecord> records = traceLevels(depth, kLevels, kTolerance, kMinLoop);
    writeFile(db / utf8Path(h.region) / utf8Path(h.name + ".con"), formatContourFile(records, o.lat, o.lon, depth));

    const double azimuth = std::atan2(seaE - anchorE, seaN - anchorN) * 180.0 / 3.141592653589793;
    log << fmt("  %s/%s.con: zone %s, %zu contours, %zu points, opens to %.0f deg\n", h.region.c_str(), h.name.c_str(),
               zoneName(h.zone), records.size(), pointCount(records), azimuth < 0 ? azimuth + 360 : azimuth);
    return out;
}

}  // namespace

std::vector<GeneratedHarbour> writeHarbours(const std::filesystem::path& root, const std::vector<CoastPolygon>& coast,
                                            std::ostream& log) {
    const std::filesystem::path db = root / "Db01";
    const std::vector<HarbourSite>& sites = harbourSites();
    std::string list;
    addLine(list, fmt("%zu", sites.size()));
    std::vector<GeneratedHarbour> harbours;
    for (const HarbourSite& h : sites) {
        addLine(list, listLine(h));
        harbours.push_back(writeHarbour(db, h, coast, log));
    }
    writeFile(db / "kowan.lst", list);
    log << fmt("  kowan.lst: %zu harbours\n", sites.size());
    return harbours;
}

}  // namespace sampledata
