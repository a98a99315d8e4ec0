// japan.llm: the coastline for the overview map.
#include <algorithm>
#include <cmath>
#include <map>

#include "outputs.h"
#include "text_out.h"

namespace sampledata {
namespace {

// The program draws only the polygons numbered 13, 14, 17, 26, 27, 30 and
// 31. The four main islands get one number each; the other islands of some
// size share the rest by sea area, so that the overview shows them too.
// Smaller islands get numbers from 32 on, which the program skips.
constexpr double kLargerIslandKm2 = 20;

int polygonNumber(std::size_t rankByArea, const CoastPolygon& poly, int& nextMinor) {
    // Natural Earth's Japan, largest first: Honshu, Hokkaido, Kyushu, Shikoku.
    static const int kMainIslands[] = {14, 13, 26, 17};
    if (rankByArea < 4) return kMainIslands[rankByArea];
    if (areaKm2(poly) < kLargerIslandKm2) return nextMinor++;
    const LonLat c = centroid(poly);
    if (c.lat < 31.0) return 27;  // Nansei islands: Okinawa, Amami, Yakushima, Tanegashima, Sakishima
    // Sea of Japan and East China Sea (Tsushima, Iki, Goto, Oki, Noto, Sado,
    // Okushiri, Rishiri, Rebun) against the Pacific and the Inland Sea
    // (Awaji, Shodoshima, Amakusa, the Izu islands).
    const bool seaOfJapan = c.lon < 129.95 || (c.lat > 35.9 && c.lon < 136.0) || (c.lat > 37.0 && c.lon < 139.5) ||
                            (c.lat > 41.5 && c.lon < 140.5) || c.lat > 44.8;
    return seaOfJapan ? 30 : 31;
}

struct Minutes {
    int lon, lat;  // whole minutes of arc
    bool operator==(const Minutes&) const = default;
};

// The polygon at the file's resolution of one minute, without repeats.
std::vector<Minutes> toMinutes(const CoastPolygon& poly) {
    std::vector<Minutes> out;
    for (const LonLat& p : poly.pts) {
        const Minutes m{static_cast<int>(std::lround(p.lon * 60)), static_cast<int>(std::lround(p.lat * 60))};
        if (out.empty() || !(out.back() == m)) out.push_back(m);
    }
    if (!(out.back() == out.front())) out.push_back(out.front());
    return out;
}

}  // namespace

void writeCoastline(const std::filesystem::path& root, const std::vector<CoastPolygon>& coast, std::ostream& log) {
    // number -> polygons in order of size
    std::map<int, std::vector<std::vector<Minutes>>> byNumber;
    int nextMinor = 32;
    for (std::size_t k = 0; k < coast.size(); ++k) {
        std::vector<Minutes> pts = toMinutes(coast[k]);
        const int number = polygonNumber(k, coast[k], nextMinor);
        if (pts.size() >= 4) byNumber[number].push_back(std::move(pts));  // an islet of one minute is no line
    }
    std::string file;
    std::size_t polygons = 0, points = 0, drawn = 0;
    for (const auto& [number, polys] : byNumber) {
        for (const std::vector<Minutes>& pts : polys) {
            addLine(file, fmt("poly %d", number));
            std::string line;
            for (std::size_t k = 0; k < pts.size(); ++k) {
                // lon degrees (5) blank minutes (2), lat degrees (4) blank minutes (2), blank
                line += fmt("%5d %02d%4d %02d ", pts[k].lon / 60, pts[k].lon % 60, pts[k].lat / 60, pts[k].lat % 60);
                if (k + 1 == pts.size()) line += ";";  // the polygon ends after its last point
                if (k % 4 == 3 || k + 1 == pts.size()) {
                    addLine(file, line);
                    line.clear();
                }
            }
            ++polygons;
            points += pts.size();
            if (number <= 31) drawn += pts.size();
        }
    }
    writeFile(root / "japan.llm", file);
    log << fmt("  japan.llm: %zu polygons, %zu points, %zu of them in the drawn polygons\n", polygons, points, drawn);
}

}  // namespace sampledata
