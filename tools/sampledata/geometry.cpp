#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "geodesy/plane_rect.h"

namespace sampledata {

std::vector<CoastPolygon> readCoastPolygons(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<CoastPolygon> polys;
    std::string line;
    std::size_t expected = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        if (line.rfind("polygon ", 0) == 0) {
            std::string word;
            fields >> word >> expected;
            polys.emplace_back();
            continue;
        }
        if (polys.empty()) throw std::runtime_error(path + ": point before the first polygon");
        LonLat p;
        if (!(fields >> p.lon >> p.lat)) throw std::runtime_error(path + ": bad point line: " + line);
        polys.back().pts.push_back(p);
    }
    for (const CoastPolygon& poly : polys)
        if (poly.pts.size() < 4) throw std::runtime_error(path + ": polygon with fewer than 4 points");
    return polys;
}

double areaKm2(const CoastPolygon& poly) {
    constexpr double kKmPerDeg = 111.195;
    const double cosLat = std::cos(centroid(poly).lat * 3.141592653589793 / 180.0);
    double twice = 0;
    for (std::size_t i = 0; i + 1 < poly.pts.size(); ++i)
        twice += poly.pts[i].lon * poly.pts[i + 1].lat - poly.pts[i + 1].lon * poly.pts[i].lat;
    return std::fabs(twice) * 0.5 * cosLat * kKmPerDeg * kKmPerDeg;
}

LonLat centroid(const CoastPolygon& poly) {
    LonLat c;
    const std::size_t n = poly.pts.size() - 1;  // the closing point is not counted twice
    for (std::size_t i = 0; i < n; ++i) {
        c.lon += poly.pts[i].lon;
        c.lat += poly.pts[i].lat;
    }
    c.lon /= static_cast<double>(n);
    c.lat /= static_cast<double>(n);
    return c;
}

void boxBlur(Grid& g, int radius, int passes) {
    if (radius <= 0) return;
    std::vector<double> line;
    auto blurLine = [&](auto get, auto set, int n) {
        line.assign(static_cast<std::size_t>(n), 0.0);
        for (int k = 0; k < n; ++k) line[static_cast<std::size_t>(k)] = get(k);
        for (int k = 0; k < n; ++k) {
            double sum = 0;
            for (int d = -radius; d <= radius; ++d) sum += line[static_cast<std::size_t>(std::clamp(k + d, 0, n - 1))];
            set(k, sum / (2 * radius + 1));
        }
    };
    for (int pass = 0; pass < passes; ++pass) {
        for (int j = 0; j < g.ny; ++j)
            blurLine([&](int i) { return g.at(i, j); }, [&](int i, double x) { g.at(i, j) = x; }, g.nx);
        for (int i = 0; i < g.nx; ++i)
            blurLine([&](int j) { return g.at(i, j); }, [&](int j, double x) { g.at(i, j) = x; }, g.ny);
    }
}

CoastField::CoastField(const std::vector<CoastPolygon>& polys, double originLat, double originLon, double lat,
                       double lon, double reachDeg) {
    constexpr std::size_t kChunk = 16;
    for (const CoastPolygon& poly : polys) {
        const bool near = std::any_of(poly.pts.begin(), poly.pts.end(), [&](const LonLat& p) {
            return std::fabs(p.lat - lat) < reachDeg && std::fabs(p.lon - lon) < reachDeg * 1.3;
        });
        if (!near) continue;
        std::vector<PlanePt> plane;
        for (const LonLat& p : poly.pts) {
            PlanePt q;
            vornel::toPlaneRect(p.lat, p.lon, originLat, originLon, q.north, q.east);
            plane.push_back(q);
        }
        for (std::size_t i = 0; i + 1 < plane.size(); i += kChunk) {
            Chunk c{std::numeric_limits<double>::max(),
                    std::numeric_limits<double>::max(),
                    std::numeric_limits<double>::lowest(),
                    std::numeric_limits<double>::lowest(),
                    segments_.size(),
                    0};
            for (std::size_t k = i; k < std::min(i + kChunk, plane.size() - 1); ++k) {
                segments_.push_back({plane[k], plane[k + 1]});
                for (const PlanePt& q : {plane[k], plane[k + 1]}) {
                    c.minE = std::min(c.minE, q.east);
                    c.maxE = std::max(c.maxE, q.east);
                    c.minN = std::min(c.minN, q.north);
                    c.maxN = std::max(c.maxN, q.north);
                }
                ++c.count;
            }
            chunks_.push_back(c);
        }
    }
    if (segments_.empty()) throw std::runtime_error("CoastField: no coast within reach");
}

double CoastField::nearestSq(PlanePt p, std::size_t& hint, PlanePt* nearest) const {
    double best = std::numeric_limits<double>::max();
    auto scan = [&](const Chunk& c) {
        const double de = std::max({c.minE - p.east, 0.0, p.east - c.maxE});
        const double dn = std::max({c.minN - p.north, 0.0, p.north - c.maxN});
        if (de * de + dn * dn >= best) return false;
        bool improved = false;
        for (std::size_t k = c.first; k < c.first + c.count; ++k) {
            const Segment& s = segments_[k];
            const double ve = s.b.east - s.a.east, vn = s.b.north - s.a.north;
            const double len2 = ve * ve + vn * vn;
            double t = len2 > 0 ? ((p.east - s.a.east) * ve + (p.north - s.a.north) * vn) / len2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const PlanePt q{s.a.east + t * ve, s.a.north + t * vn};
            const double d2 = (p.east - q.east) * (p.east - q.east) + (p.north - q.north) * (p.north - q.north);
            if (d2 < best) {
                best = d2;
                improved = true;
                if (nearest) *nearest = q;
            }
        }
        return improved;
    };
    // Neighbouring nodes share their nearest chunk: trying last node's first
    // makes the box test reject nearly every other chunk.
    std::size_t start = hint < chunks_.size() ? hint : 0;
    scan(chunks_[start]);
    for (std::size_t c = 0; c < chunks_.size(); ++c)
        if (c != start && scan(chunks_[c])) hint = c;
    if (hint >= chunks_.size()) hint = start;
    return best;
}

PlanePt CoastField::nearestCoastPoint(PlanePt p) const {
    std::size_t hint = 0;
    PlanePt q;
    nearestSq(p, hint, &q);
    return q;
}

Grid CoastField::signedDistance(double east0, double north0, double step, int nx, int ny) const {
    Grid g(east0, north0, step, nx, ny);
    std::size_t hint = 0;
    std::vector<double> crossings;
    for (int j = 0; j < ny; ++j) {
        const double n = g.northOf(j);
        // Inside test along the row: a node is on land when an odd number of
        // coast segments cross the row east of it.
        crossings.clear();
        for (const Segment& s : segments_) {
            if ((s.a.north > n) != (s.b.north > n))
                crossings.push_back(s.a.east + (n - s.a.north) * (s.b.east - s.a.east) / (s.b.north - s.a.north));
        }
        std::sort(crossings.begin(), crossings.end());
        for (int i = 0; i < nx; ++i) {
            const double e = g.eastOf(i);
            const auto east = crossings.end() - std::upper_bound(crossings.begin(), crossings.end(), e);
            const double d = std::sqrt(nearestSq({e, n}, hint, nullptr));
            g.at(i, j) = (east % 2 == 1) ? -d : d;
        }
    }
    return g;
}

}  // namespace sampledata
