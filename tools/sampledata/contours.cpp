#include "contours.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace sampledata {
namespace {

// Crossing points are keyed by the grid edge they lie on: edge 2·node is the
// edge from the node to its east neighbour, 2·node + 1 to its north neighbour.
// Each edge is shared by at most two cells, so every key has at most two
// segments and the segments chain into polylines without any search.
struct Segment {
    std::int64_t a, b;
};

}  // namespace

std::vector<Polyline> traceContours(const Grid& g, double level) {
    const std::int64_t nx = g.nx;
    auto node = [&](int i, int j) { return static_cast<std::int64_t>(j) * nx + i; };
    auto above = [&](int i, int j) { return g.at(i, j) >= level; };

    std::vector<Segment> segs;
    for (int j = 0; j + 1 < g.ny; ++j) {
        for (int i = 0; i + 1 < g.nx; ++i) {
            // corners counter-clockwise from south-west; edges south, east, north, west
            const int c = (above(i, j) ? 1 : 0) | (above(i + 1, j) ? 2 : 0) | (above(i + 1, j + 1) ? 4 : 0) |
                          (above(i, j + 1) ? 8 : 0);
            if (c == 0 || c == 15) continue;
            const std::int64_t south = 2 * node(i, j), east = 2 * node(i + 1, j) + 1, north = 2 * node(i, j + 1),
                               west = 2 * node(i, j) + 1;
            const double mean = (g.at(i, j) + g.at(i + 1, j) + g.at(i + 1, j + 1) + g.at(i, j + 1)) / 4;
            switch (c) {
                case 1:
                case 14:
                    segs.push_back({west, south});
                    break;
                case 2:
                case 13:
                    segs.push_back({south, east});
                    break;
                case 3:
                case 12:
                    segs.push_back({west, east});
                    break;
                case 4:
                case 11:
                    segs.push_back({east, north});
                    break;
                case 6:
                case 9:
                    segs.push_back({south, north});
                    break;
                case 7:
                case 8:
                    segs.push_back({west, north});
                    break;
                case 5:  // south-west and north-east above
                    if (mean >= level) {
                        segs.push_back({west, north});
                        segs.push_back({south, east});
                    } else {
                        segs.push_back({west, south});
                        segs.push_back({east, north});
                    }
                    break;
                case 10:  // south-east and north-west above
                    if (mean >= level) {
                        segs.push_back({west, south});
                        segs.push_back({east, north});
                    } else {
                        segs.push_back({west, north});
                        segs.push_back({south, east});
                    }
                    break;
            }
        }
    }

    // edge key -> the (up to two) segments touching it
    const std::size_t keys = static_cast<std::size_t>(2 * nx * g.ny);
    std::vector<std::pair<int, int>> touching(keys, {-1, -1});
    for (int s = 0; s < static_cast<int>(segs.size()); ++s) {
        for (std::int64_t k : {segs[static_cast<std::size_t>(s)].a, segs[static_cast<std::size_t>(s)].b}) {
            auto& t = touching[static_cast<std::size_t>(k)];
            (t.first < 0 ? t.first : t.second) = s;
        }
    }
    auto pointOf = [&](std::int64_t key) {
        const std::int64_t n = key / 2;
        const int i = static_cast<int>(n % nx), j = static_cast<int>(n / nx);
        const int i2 = (key % 2 == 0) ? i + 1 : i, j2 = (key % 2 == 0) ? j : j + 1;
        const double a = g.at(i, j), b = g.at(i2, j2);
        const double t = (level - a) / (b - a);
        return PlanePt{g.eastOf(i) + t * (g.eastOf(i2) - g.eastOf(i)),
                       g.northOf(j) + t * (g.northOf(j2) - g.northOf(j))};
    };

    std::vector<bool> used(segs.size(), false);
    std::vector<Polyline> lines;
    auto follow = [&](int s, std::int64_t from) {
        Polyline line;
        line.pts.push_back(pointOf(from));
        std::int64_t key = from;
        while (s >= 0 && !used[static_cast<std::size_t>(s)]) {
            used[static_cast<std::size_t>(s)] = true;
            const Segment& seg = segs[static_cast<std::size_t>(s)];
            key = (seg.a == key) ? seg.b : seg.a;
            line.pts.push_back(pointOf(key));
            const auto& t = touching[static_cast<std::size_t>(key)];
            s = (t.first == s) ? t.second : t.first;
        }
        line.closed = key == from && line.pts.size() > 2;
        return line;
    };
    // Open lines first, from their ends on the border, then the loops.
    for (int s = 0; s < static_cast<int>(segs.size()); ++s) {
        for (std::int64_t k : {segs[static_cast<std::size_t>(s)].a, segs[static_cast<std::size_t>(s)].b}) {
            const auto& t = touching[static_cast<std::size_t>(k)];
            if (!used[static_cast<std::size_t>(s)] && t.second < 0) lines.push_back(follow(s, k));
        }
    }
    for (int s = 0; s < static_cast<int>(segs.size()); ++s)
        if (!used[static_cast<std::size_t>(s)]) lines.push_back(follow(s, segs[static_cast<std::size_t>(s)].a));
    return lines;
}

namespace {

void douglasPeucker(const std::vector<PlanePt>& p, std::size_t first, std::size_t last, double tol,
                    std::vector<bool>& keep) {
    // iterative, so that long lines cannot exhaust the stack
    std::vector<std::pair<std::size_t, std::size_t>> stack{{first, last}};
    while (!stack.empty()) {
        auto [a, b] = stack.back();
        stack.pop_back();
        if (b <= a + 1) continue;
        const double ve = p[b].east - p[a].east, vn = p[b].north - p[a].north;
        const double len = std::hypot(ve, vn);
        double worst = -1;
        std::size_t at = a;
        for (std::size_t k = a + 1; k < b; ++k) {
            const double de = p[k].east - p[a].east, dn = p[k].north - p[a].north;
            const double d = len > 0 ? std::fabs(de * vn - dn * ve) / len : std::hypot(de, dn);
            if (d > worst) {
                worst = d;
                at = k;
            }
        }
        if (worst > tol) {
            keep[at] = true;
            stack.push_back({a, at});
            stack.push_back({at, b});
        }
    }
}

}  // namespace

void simplify(Polyline& line, double tolerance) {
    const std::size_t n = line.pts.size();
    if (n < 3) return;
    std::vector<bool> keep(n, false);
    keep[0] = keep[n - 1] = true;
    if (line.closed) {
        // a loop's start and end coincide: split it at its farthest point
        std::size_t far = 0;
        double best = -1;
        for (std::size_t k = 1; k + 1 < n; ++k) {
            const double d = std::hypot(line.pts[k].east - line.pts[0].east, line.pts[k].north - line.pts[0].north);
            if (d > best) {
                best = d;
                far = k;
            }
        }
        keep[far] = true;
        douglasPeucker(line.pts, 0, far, tolerance, keep);
        douglasPeucker(line.pts, far, n - 1, tolerance, keep);
    } else {
        douglasPeucker(line.pts, 0, n - 1, tolerance, keep);
    }
    std::vector<PlanePt> out;
    for (std::size_t k = 0; k < n; ++k)
        if (keep[k]) out.push_back(line.pts[k]);
    line.pts = std::move(out);
}

double length(const Polyline& line) {
    double sum = 0;
    for (std::size_t k = 1; k < line.pts.size(); ++k)
        sum += std::hypot(line.pts[k].east - line.pts[k - 1].east, line.pts[k].north - line.pts[k - 1].north);
    return sum;
}

}  // namespace sampledata
