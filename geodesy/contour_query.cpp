#include "geodesy/contour_query.h"

#include <cmath>

#include "bathymetry/contour_store.h"
#include "geodesy/axis_fit.h"
#include "geodesy/contour_scan.h"
#include "geodesy/plane_rect.h"

namespace vornel {

namespace {

constexpr double kRadToDeg = 57.29577951308232;

int opposite(int quadrant) {
    return (quadrant + 2) % 4;
}

int nearestQuadrant(const QuadrantNearest (&q)[4]) {
    int best = 0;
    for (int j = 1; j < 4; ++j) {
        if (q[j].distance < q[best].distance) best = j;
    }
    return best;
}

double intoFullCircle(double degrees) {
    if (!std::isfinite(degrees)) return 0.0;
    while (degrees < 0.0) degrees += 360.0;
    while (degrees > 360.0) degrees -= 360.0;
    return degrees;
}

void setEntry(PickEntry& entry, double east, double north, double depth) {
    const ProjectionOrigin& origin = contourStore().projectionOrigin;
    entry.east = east;
    entry.north = north;
    entry.depth = depth;
    fromPlaneRect(north, east, origin.originLat, origin.originLon, entry.lat, entry.lon);
}

// The depth at P and the nearest contour point, from the quadrant search.
void fillQuery(double pe, double pn, const ContourDirection& found, PointQuery& query) {
    const QuadrantNearest(&q)[4] = found.nearest.quadrant;
    int i = nearestQuadrant(q);
    double depth;
    if (!found.nearest.diagonalsAgree) {
        // On a slope: interpolate by distance between the nearest contour and
        // the one across P, moving on once if those two are of one depth.
        if (std::fabs(q[i].depth - q[opposite(i)].depth) < 0.01) i = (i + 1) % 4;
        const int o = opposite(i);
        const double span = q[i].distance + q[o].distance;
        // Both at distance 0: P lies on the contour itself.
        depth = span > 0.0 ? q[i].distance / span * (q[o].depth - q[i].depth) + q[i].depth : q[i].depth;
    } else {
        depth = q[i].depth;
        depthByAxisFit(pe, pn, depth);
    }
    setEntry(query.entry[0], pe, pn, depth);
    setEntry(query.entry[1], q[i].east, q[i].north, q[i].depth);
    query.primaryDirection = found.primaryDirection;
    query.meanDirection = found.meanDirection;
}

}  // namespace

NearestContourPoints nearestContourPoints(double pe, double pn) {
    return detail::scanNearest(pe, pn, true);
}

void depthStepAlongLine(double pe, double pn, double qe, double qn, double refDepth, double& step) {
    detail::scanDepthStep(pe, pn, qe, qn, refDepth, step, true);
}

void reduceDirections(double& primaryDirection, double& meanDirection) {
    primaryDirection = intoFullCircle(primaryDirection);
    meanDirection = intoFullCircle(meanDirection);
    if (meanDirection - primaryDirection >= 180.0) {
        meanDirection -= 360.0;
    } else if (primaryDirection - meanDirection >= 180.0) {
        meanDirection += 360.0;
    }
    meanDirection = intoFullCircle((meanDirection + primaryDirection) / 2);
}

ContourDirection contourDirection(double pe, double pn) {
    ContourDirection result;
    result.nearest = nearestContourPoints(pe, pn);
    const QuadrantNearest(&q)[4] = result.nearest.quadrant;

    // From each candidate towards P, i.e. away from the contour.
    double theta[4];
    for (int j = 0; j < 4; ++j) theta[j] = std::atan2(pn - q[j].north, pe - q[j].east) * kRadToDeg;

    const int i1 = nearestQuadrant(q);
    int i2 = (i1 + 1) % 4;
    for (int j = 0; j < 4; ++j) {
        if (j != i1 && q[j].distance < q[i2].distance) i2 = j;
    }
    double primary = theta[i1];
    double mean = theta[i2];

    // Which way is deeper: across P, else towards any other contour of
    // another depth, else along the line through the nearest contour point.
    const QuadrantNearest& across = q[opposite(i1)];
    double step = across.depth - q[i1].depth;
    if (step < 0.01) {
        int j = 0;
        while (j < 4 && (j == i1 || !(q[j].depth < 9000.0) || !(std::fabs(q[j].depth - q[i1].depth) > 0.01))) ++j;
        if (j < 4) {
            step = q[j].depth - q[i1].depth;
        } else {
            depthStepAlongLine(pe, pn, q[i1].east, q[i1].north, q[i1].depth, step);
        }
    }
    if (step < 0.0) primary += 180.0;
    if (across.depth > 9000.0) primary += 180.0;  // no contour across P

    // With a contour in one quadrant only there is no second direction; the
    // mean is then the primary one.
    if (!q[i2].found()) mean = primary;
    reduceDirections(primary, mean);
    result.primaryDirection = primary;
    result.meanDirection = mean;
    return result;
}

int estimatePointDepth(double pe, double pn, PointQuery& query) {
    if (contourStore().contourPointCount < 1) return 0;
    const ContourDirection found = contourDirection(pe, pn);
    fillQuery(pe, pn, found, query);
    return 1;
}

}  // namespace vornel
