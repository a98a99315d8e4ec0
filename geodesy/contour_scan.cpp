// The passes over the contour store. A store holds up to 5,000,000 points and
// a click must answer at once, so each pass first rejects a segment by its
// bounding box, which costs a few comparisons, before any division or root.
// The rejection only skips segments that cannot change the answer: every
// candidate of a segment lies in its box, up to rounding far below kMargin.
#include "geodesy/contour_scan.h"

#include <algorithm>
#include <cmath>

#include "bathymetry/contour_store.h"

namespace vornel::detail {

namespace {

constexpr double kMargin = 1.0;  // metres of slack for rounding in the box tests
// Segments at most this wide in east (judged in float) are taken as north–south lines.
constexpr double kSteepSegment = 0.05;
// Below this east extent a segment or line has no usable slope at all.
constexpr double kNoSlope = 0.0001;

struct Box {
    double minE, maxE, minN, maxN;
};

Box boxOf(const ContourPoint& s, const ContourPoint& v) {
    return {std::min(s.east, v.east), std::max(s.east, v.east), std::min(s.north, v.north), std::max(s.north, v.north)};
}

// Chebyshev distance from P to the box; a lower bound of the distance of any
// point in it (negative inside).
double gapTo(const Box& b, double pe, double pn) {
    return std::max(std::max(b.minE - pe, pe - b.maxE), std::max(b.minN - pn, pn - b.maxN));
}

int quadrantOf(double e, double n, double pe, double pn) {
    if (e >= pe) return n >= pn ? 0 : 3;
    return n >= pn ? 1 : 2;
}

class NearestSearch {
public:
    NearestSearch(double pe, double pn) : pe_(pe), pn_(pn) {
        for (QuadrantNearest& q : result_.quadrant) q = {kNoContourDistance, pe, pn, kNoContourDepth};
    }

    // True when no candidate of the segment s→v (or of the point v alone)
    // can come strictly nearer than what its quadrants already hold.
    bool cannotImprove(const ContourPoint& s, const ContourPoint& v) const {
        const Box b = boxOf(s, v);
        const double gap = gapTo(b, pe_, pn_);
        if (gap > worst_ + kMargin) return true;
        if (gap <= kMargin) return false;
        // Some quadrant is still far off or empty: compare only with the
        // quadrants this box can reach.
        const bool east = b.maxE >= pe_ - kMargin, west = b.minE < pe_ + kMargin;
        const bool north = b.maxN >= pn_ - kMargin, south = b.minN < pn_ + kMargin;
        const QuadrantNearest* q = result_.quadrant;
        double bound = 0.0;
        if (east && north) bound = std::max(bound, q[0].distance);
        if (west && north) bound = std::max(bound, q[1].distance);
        if (west && south) bound = std::max(bound, q[2].distance);
        if (east && south) bound = std::max(bound, q[3].distance);
        return gap > bound + kMargin;
    }

    void examinePoint(const ContourPoint& v) {
        const double e = v.east, n = v.north;
        offer(quadrantOf(e, n, pe_, pn_), std::sqrt((e - pe_) * (e - pe_) + (n - pn_) * (n - pn_)), e, n, v.depth);
    }

    void examineSegment(const ContourPoint& s, const ContourPoint& v) {
        // The east extent is judged in float, as stored.
        if (std::fabs(v.east - s.east) <= kSteepSegment) {
            examineSteep(s, v);
        } else {
            examineSloped(s, v);
        }
    }

    void refreshWorst() {
        if (!changed_) return;
        const QuadrantNearest* q = result_.quadrant;
        worst_ = std::max(std::max(q[0].distance, q[1].distance), std::max(q[2].distance, q[3].distance));
        changed_ = false;
    }

    NearestContourPoints finish() {
        const QuadrantNearest* q = result_.quadrant;
        result_.diagonalsAgree = std::fabs(q[0].depth - q[2].depth) <= 0.5 && std::fabs(q[1].depth - q[3].depth) <= 0.5;
        return result_;
    }

private:
    // Strictly nearer only: ties keep the earlier candidate, and nothing at
    // or beyond 100 km (nor a NaN) is ever taken.
    void offer(int quadrant, double distance, double e, double n, double depth) {
        QuadrantNearest& q = result_.quadrant[quadrant];
        if (distance < q.distance) {
            q = {distance, e, n, depth};
            changed_ = true;
        }
    }

    void examineSteep(const ContourPoint& s, const ContourPoint& v) {
        const double ve = v.east, depth = v.depth;
        const double lo = std::min<double>(s.north, v.north), hi = std::max<double>(s.north, v.north);
        const bool eastSide = ve >= pe_;
        if (pn_ <= lo) {
            offer(eastSide ? 0 : 1, std::sqrt((lo - pn_) * (lo - pn_) + (ve - pe_) * (ve - pe_)), ve, lo, depth);
        } else if (pn_ <= hi) {
            const double d = std::fabs(ve - pe_);
            offer(eastSide ? 3 : 1, d, ve, pn_, depth);
            offer(eastSide ? 0 : 2, d, ve, pn_, depth);
        } else {
            offer(eastSide ? 3 : 2, std::sqrt((hi - pn_) * (hi - pn_) + (ve - pe_) * (ve - pe_)), ve, hi, depth);
        }
    }

    void examineSloped(const ContourPoint& s, const ContourPoint& v) {
        const double se = s.east, sn = s.north, ve = v.east, vn = v.north, depth = v.depth;
        const double m = (vn - sn) / (ve - se);
        const double c = (sn * ve - se * vn) / (ve - se);
        const Box b = boxOf(s, v);
        if (b.minE < pe_ && pe_ < b.maxE) {  // crosses the meridian through P
            const double y = m * pe_ + c;
            const double d = std::fabs(y - pn_);
            offer(y >= pn_ ? 0 : 2, d, pe_, y, depth);
            offer(y >= pn_ ? 1 : 3, d, pe_, y, depth);
        }
        if (b.minN < pn_ && pn_ < b.maxN) {  // crosses the parallel through P
            const double x = (pn_ - c) / m;
            const double d = std::fabs(x - pe_);
            offer(x < pe_ ? 1 : 3, d, x, pn_, depth);
            offer(x < pe_ ? 2 : 0, d, x, pn_, depth);
        }
        // Foot of the perpendicular; a horizontal segment has none (its
        // meridian crossing above is the foot).
        if (m != 0.0) {
            const double x = (pe_ / m + pn_ - c) / (m + 1.0 / m);
            if (b.minE <= x && x <= b.maxE) {
                const double y = m * x + c;
                offer(quadrantOf(x, y, pe_, pn_), std::sqrt((y - pn_) * (y - pn_) + (x - pe_) * (x - pe_)), x, y,
                      depth);
            }
        }
    }

    double pe_, pn_;
    NearestContourPoints result_;
    double worst_ = kNoContourDistance;
    bool changed_ = false;
};

}  // namespace

NearestContourPoints scanNearest(double pe, double pn, bool useBounds) {
    NearestSearch search(pe, pn);
    const ContourStore& store = contourStore();
    const ContourPoint* pts = store.points;
    for (int i = 0; i < store.contourPointCount; ++i) {
        const ContourPoint& v = pts[i];
        const bool segment = i > 0 && v.lineStart != 1;
        const ContourPoint& s = segment ? pts[i - 1] : v;
        if (useBounds && search.cannotImprove(s, v)) continue;
        search.examinePoint(v);
        if (segment) search.examineSegment(s, v);
        search.refreshWorst();
    }
    return search.finish();
}

void scanDepthStep(double pe, double pn, double qe, double qn, double refDepth, double& step, bool useBounds) {
    // A line from P to a Q straight north or south (or on P) has no slope; it
    // is then the meridian through P.
    const bool lineSteep = std::fabs(qe - pe) < kNoSlope;
    const double mL = lineSteep ? 0.0 : (qn - pn) / (qe - pe);
    const double cL = lineSteep ? 0.0 : (pn * qe - pe * qn) / (qe - pe);
    // Direction of the line, for the side test of the shortcut.
    const double dirE = lineSteep ? 0.0 : qe - pe;
    const double dirN = lineSteep ? 1.0 : qn - pn;
    const double sideSlack = kMargin * std::sqrt(dirE * dirE + dirN * dirN);

    double best = kNoContourDistance, bestE = 0.0, bestN = 0.0, bestDepth = 0.0;
    bool found = false;
    const ContourStore& store = contourStore();
    const ContourPoint* pts = store.points;
    for (int i = 1; i < store.contourPointCount; ++i) {
        const ContourPoint& v = pts[i];
        if (v.lineStart == 1) continue;
        if (std::fabs(v.depth - refDepth) < 0.05) continue;  // the contour P lies on
        const ContourPoint& s = pts[i - 1];
        const Box b = boxOf(s, v);
        if (useBounds) {
            if (gapTo(b, pe, pn) > best + kMargin) continue;
            const double sideS = dirE * (s.north - pn) - dirN * (s.east - pe);
            const double sideV = dirE * (v.north - pn) - dirN * (v.east - pe);
            if ((sideS > sideSlack && sideV > sideSlack) || (sideS < -sideSlack && sideV < -sideSlack)) continue;
        }
        const double se = s.east, sn = s.north, ve = v.east, vn = v.north;
        double x, y;
        if (std::fabs(v.east - s.east) < kNoSlope) {
            if (lineSteep) continue;  // parallel to the line
            x = ve;
            y = mL * x + cL;
            if (y < b.minN || y > b.maxN) continue;
        } else {
            const double m = (vn - sn) / (ve - se);
            const double c = (sn * ve - se * vn) / (ve - se);
            if (lineSteep) {
                x = pe;
            } else {
                if (m == mL) continue;  // parallel to the line
                x = (cL - c) / (m - mL);
            }
            if (!(b.minE <= x && x <= b.maxE)) continue;
            y = m * x + c;
        }
        const double d = std::sqrt((x - pe) * (x - pe) + (y - pn) * (y - pn));
        if (d < best) {
            best = d;
            bestE = x;
            bestN = y;
            bestDepth = v.depth;
            found = true;
        }
    }
    if (!found) return;

    // Sides are told apart by east, or by north along the meridian.
    const double xP = lineSteep ? pn : pe, xQ = lineSteep ? qn : qe, xX = lineSteep ? bestN : bestE;
    const bool farSide = xQ < xP ? xX >= xP : !(xX >= xQ);
    step = farSide ? bestDepth - refDepth : refDepth - bestDepth;
}

}  // namespace vornel::detail
