// Plane grids, points and the coastline polygons the seabed model works on.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sampledata {

struct LonLat {
    double lon = 0, lat = 0;
};

// Plane rectangular metres about some origin: east = y, north = x.
struct PlanePt {
    double east = 0, north = 0;
};

// One closed ring of the Natural Earth coastline (first point repeated last).
struct CoastPolygon {
    std::vector<LonLat> pts;
};

// Reads the polygons written by tools/extract_japan_coast.js.
std::vector<CoastPolygon> readCoastPolygons(const std::string& path);

// Area in km² (spherical approximation; enough to rank islands).
double areaKm2(const CoastPolygon& poly);
LonLat centroid(const CoastPolygon& poly);

// A regular grid of values at nodes east0 + i·step, north0 + j·step.
struct Grid {
    double east0 = 0, north0 = 0, step = 1;
    int nx = 0, ny = 0;
    std::vector<double> v;

    Grid() = default;
    Grid(double e0, double n0, double s, int cols, int rows)
        : east0(e0), north0(n0), step(s), nx(cols), ny(rows), v(static_cast<std::size_t>(cols) * rows, 0.0) {}
    double& at(int i, int j) { return v[static_cast<std::size_t>(j) * nx + i]; }
    double at(int i, int j) const { return v[static_cast<std::size_t>(j) * nx + i]; }
    double eastOf(int i) const { return east0 + i * step; }
    double northOf(int j) const { return north0 + j * step; }
    double eastMax() const { return eastOf(nx - 1); }
    double northMax() const { return northOf(ny - 1); }
};

// Separable box blur, `passes` times (three passes approach a Gaussian).
void boxBlur(Grid& g, int radius, int passes);

// The coastline projected to one plane origin, for distance and inside tests.
class CoastField {
public:
    // Takes the polygons whose points come within `reachDeg` of (lat, lon);
    // the farther ones cannot be the nearest coast of any node in reach and
    // would only be distorted by the projection.
    CoastField(const std::vector<CoastPolygon>& polys, double originLat, double originLon, double lat, double lon,
               double reachDeg);

    // Signed distance to the coast at every node: positive at sea, negative on land.
    Grid signedDistance(double east0, double north0, double step, int nx, int ny) const;

    // The point of the coast nearest to p.
    PlanePt nearestCoastPoint(PlanePt p) const;

private:
    struct Segment {
        PlanePt a, b;
    };
    // Consecutive segments with their bounding box, so that distance queries
    // skip most of the coast at the cost of one box test.
    struct Chunk {
        double minE, minN, maxE, maxN;
        std::size_t first, count;
    };
    double nearestSq(PlanePt p, std::size_t& hintChunk, PlanePt* nearest) const;

    std::vector<Segment> segments_;
    std::vector<Chunk> chunks_;
};

}  // namespace sampledata
