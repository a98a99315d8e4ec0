#include "geodesy/axis_fit.h"

#include <algorithm>
#include <cmath>

#include "bathymetry/contour_store.h"

namespace vornel {

namespace {

constexpr double kFarDistance = 100000.0;  // farther crossings are never taken
constexpr double kMissingDepth = 9999.0;   // depth of a slot that found no crossing
// Segments steeper than this (east extent in metres) give no crossing at all.
constexpr double kSteepSegment = 0.05;
// Two crossings this close on the same side, with the same depth, are one
// point: the vertex shared by two consecutive segments is found by both.
constexpr double kSamePoint = 0.001;

struct Slot {
    double distance = kFarDistance;
    double depth = kMissingDepth;
    double east = 0.0;
    double north = 0.0;
    bool found = false;
};

// Directions 0/1: east and west along the parallel; 2/3: north and south
// along the meridian. Slot 0 nearest, slot 1 second nearest.
using Direction = Slot[2];

void insertCrossing(Direction& dir, double distance, double east, double north, double depth) {
    if (std::isnan(distance)) return;
    for (const Slot& s : dir) {
        if (s.found && s.depth == depth && std::fabs(distance - s.distance) < kSamePoint) return;
    }
    const Slot crossing{distance, depth, east, north, true};
    if (distance < dir[0].distance) {
        dir[1] = dir[0];
        dir[0] = crossing;
    } else if (distance < dir[1].distance) {
        dir[1] = crossing;
    }
}

void collectCrossings(double pe, double pn, Direction (&dirs)[4]) {
    const ContourStore& store = contourStore();
    const ContourPoint* pts = store.points;
    for (int i = 1; i < store.contourPointCount; ++i) {
        const ContourPoint& v = pts[i];
        if (v.lineStart == 1) continue;
        const ContourPoint& s = pts[i - 1];
        // The east extent is judged in float, as stored.
        if (std::fabs(v.east - s.east) <= kSteepSegment) continue;
        const double se = s.east, sn = s.north, ve = v.east, vn = v.north;
        // Only segments that reach the parallel or the meridian through P
        // matter; this cheap test rejects nearly all of a large store.
        const bool onParallel = std::min(sn, vn) <= pn && pn <= std::max(sn, vn);
        const bool onMeridian = std::min(se, ve) <= pe && pe <= std::max(se, ve);
        if (!onParallel && !onMeridian) continue;
        const double m = (vn - sn) / (ve - se);
        const double c = (sn * ve - se * vn) / (ve - se);
        const double depth = v.depth;
        // A horizontal segment lying on the parallel has no single crossing.
        if (onParallel && m != 0.0) {
            const double x = (pn - c) / m;
            insertCrossing(dirs[x >= pe ? 0 : 1], std::fabs(x - pe), x, pn, depth);
        }
        if (onMeridian) {
            const double y = m * pe + c;
            insertCrossing(dirs[y >= pn ? 2 : 3], std::fabs(y - pn), pe, y, depth);
        }
    }
}

// Depth of the parabola through the two crossings of `first` and of
// `second` at P. Positions are taken relative to P: the parabola is the same,
// but its sums no longer cancel when plane coordinates run to 10^5 m.
// A missing crossing has no position; the fit is then as good as pulled up to
// its depth 9999, which the caller replaces by the nearest crossing's depth.
bool fitAtPoint(const Direction& first, const Direction& second, bool alongParallel, double tP, double& value) {
    const Slot* slots[4] = {&first[0], &first[1], &second[0], &second[1]};
    double t[4], d[4];
    for (int j = 0; j < 4; ++j) {
        if (!slots[j]->found) {
            value = kMissingDepth;
            return true;
        }
        t[j] = (alongParallel ? slots[j]->east : slots[j]->north) - tP;
        d[j] = slots[j]->depth;
    }
    double a, b, c;
    if (!fitQuadratic(t, d, a, b, c)) return false;
    value = c;
    return true;
}

}  // namespace

bool fitQuadratic(const double t[4], const double d[4], double& a, double& b, double& c) {
    double s1 = 0, s2 = 0, s3 = 0, s4 = 0, y0 = 0, y1 = 0, y2 = 0;
    for (int j = 0; j < 4; ++j) {
        const double t2 = t[j] * t[j];
        s1 += t[j];
        s2 += t2;
        s3 += t2 * t[j];
        s4 += t2 * t2;
        y0 += d[j];
        y1 += t[j] * d[j];
        y2 += t2 * d[j];
    }
    const double delta = 2 * s1 * s2 * s3 + 4 * s2 * s4 - s2 * s2 * s2 - 4 * s3 * s3 - s1 * s1 * s4;
    if (delta == 0.0 || !std::isfinite(delta)) return false;
    const double fa = ((4 * s2 - s1 * s1) * y2 - (4 * s3 - s1 * s2) * y1 + (s1 * s3 - s2 * s2) * y0) / delta;
    const double fb = ((4 * s4 - s2 * s2) * y1 - (4 * s3 - s1 * s2) * y2 - (s1 * s4 - s2 * s3) * y0) / delta;
    const double fc = ((s4 * s2 - s3 * s3) * y0 - (s1 * s4 - s2 * s3) * y1 + (s1 * s3 - s2 * s2) * y2) / delta;
    if (!std::isfinite(fa) || !std::isfinite(fb) || !std::isfinite(fc)) return false;
    a = fa;
    b = fb;
    c = fc;
    return true;
}

void depthByAxisFit(double pe, double pn, double& depth) {
    Direction dirs[4];
    collectCrossings(pe, pn, dirs);

    // On a flat every direction sees two crossings of about one depth.
    bool slopeSeen = false;
    for (const Direction& dir : dirs) slopeSeen = slopeSeen || std::fabs(dir[0].depth - dir[1].depth) > 0.5;
    if (!slopeSeen) return;

    int k = 0;
    for (int j = 1; j < 4; ++j) {
        if (dirs[j][0].distance < dirs[k][0].distance) k = j;
    }
    const int p = k ^ 1;  // the partner on the same line
    const bool alongParallel = k < 2;
    const double tP = alongParallel ? pe : pn;

    double result = kNoDepthEstimate;
    double value;
    if (std::fabs(dirs[k][0].depth - dirs[k][1].depth) > 0.05 &&
        fitAtPoint(dirs[k], dirs[p], alongParallel, tP, value)) {
        result = value;
    }
    if (std::fabs(dirs[p][0].depth - dirs[p][1].depth) > 0.05 &&
        fitAtPoint(dirs[p], dirs[k], alongParallel, tP, value)) {
        const double reference = dirs[0][0].depth;
        if (std::fabs(value - reference) < std::fabs(result - reference)) result = value;
    }
    // A fit pulled up by a missing crossing says nothing; the nearest
    // crossing's depth is the better answer.
    if (result > 9990.0) result = dirs[k][0].depth;
    depth = result;
}

}  // namespace vornel
