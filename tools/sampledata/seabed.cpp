#include "seabed.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "geodesy/plane_rect.h"

namespace sampledata {
namespace {

constexpr double kPi = 3.141592653589793;

// splitmix64: a fixed, portable sequence (the standard distributions are not
// specified bit for bit, so they are not used).
struct Random {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
};

struct Wave {
    double kx, ky, phase, amplitude;
};

// Plane waves of 3 to 25 km wavelength in kilometres on a simple
// equirectangular frame about 35°N 135°E; the distortion does not matter for
// a random undulation.
std::vector<Wave> makeWaves() {
    Random rnd{20240611};
    const double wavelengthsKm[] = {25, 17, 12, 8, 5.5, 3.5};
    std::vector<Wave> waves;
    double power = 0;
    for (double lambda : wavelengthsKm) {
        const double dir = rnd.uniform() * 2 * kPi;
        const double k = 2 * kPi / lambda;
        const double amp = std::sqrt(lambda / 25.0);  // longer waves carry more
        waves.push_back({k * std::cos(dir), k * std::sin(dir), rnd.uniform() * 2 * kPi, amp});
        power += amp * amp / 2;
    }
    for (Wave& w : waves) w.amplitude /= std::sqrt(power);  // unit standard deviation
    return waves;
}

double smoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

}  // namespace

double profileDepth(const SeabedProfile& p, double s) {
    if (s <= 0) return -1.0 + 0.002 * s;  // land: below zero and falling away, never a contour
    double h = p.deanA * std::cbrt(s * s) + p.shelfGradient * s;
    // softplus ramp: the continental slope starts over about 3 km, not at a kink
    const double w = 3000;
    const double x = (s - p.shelfEdge) / w;
    const double ramp = x > 30 ? x : std::log1p(std::exp(x));
    h += p.slopeGradient * w * ramp;
    // the slope eases onto the deep floor instead of going on for ever
    return p.maxDepth * std::tanh(h / p.maxDepth);
}

double undulation(double lat, double lon) {
    static const std::vector<Wave> waves = makeWaves();
    const double xKm = (lon - 135.0) * 91.2;
    const double yKm = (lat - 35.0) * 111.0;
    double sum = 0;
    for (const Wave& w : waves) sum += w.amplitude * std::sin(w.kx * xKm + w.ky * yKm + w.phase);
    return sum;
}

namespace {

// Signed distance from (u, v) to an axis-aligned box, negative inside.
double boxDistance(double u, double v, double u0, double u1, double v0, double v1) {
    const double du = std::max(u0 - u, u - u1), dv = std::max(v0 - v, v - v1);
    const double outside = std::hypot(std::max(du, 0.0), std::max(dv, 0.0));
    return outside > 0 ? outside : std::max(du, dv);
}

// Blends h towards `target` inside a box, over a ramp of `ramp` metres
// centred on the box's edge. A linear ramp rather than a step keeps the
// traced walls straight when they lie askew to the grid.
double intoBox(double h, double target, double d, double ramp) {
    const double t = std::clamp(0.5 - d / ramp, 0.0, 1.0);
    return h + (target - h) * t;
}

}  // namespace

double applyWorks(const HarbourWorks& w, double u, double v, double h, double wall, double ramp) {
    constexpr double kLand = -3.0;  // crest of breakwaters and quays above the sea
    const double half = w.basinWidth / 2;
    const double head = w.basinLength;
    // The approach channel: from the entrance straight out to sea, one metre
    // deeper than the basin, with side slopes over 150 m.
    const double channelCentre = half - w.entrance / 2;
    const double channelHalf = w.entrance / 2 - 40;
    if (v > head - wall && h > 0) {  // dredged in the sea, never cut through a headland
        const double across = std::fabs(u - channelCentre);
        const double f = 1.0 - smoothStep(channelHalf, channelHalf + 150, across);
        const double fade = 1.0 - smoothStep(head + 3000, head + 4500, v);  // ends where the sea is deep anyway
        h = std::max(h, (w.basinDepth + 1.0) * f * fade);
    }
    // Basin, dug into the land behind the coast, with quay walls; never
    // shallower than the natural bed.
    h = intoBox(h, std::max(h, w.basinDepth), boxDistance(u, v, -half, half, -w.digIn, head), ramp);
    // Two piers from the inner end of the basin.
    const double pierEnd = -w.digIn + 0.5 * (head + w.digIn);
    for (double centre : {-w.basinWidth / 6, w.basinWidth / 6})
        h = intoBox(h, kLand, boxDistance(u, v, centre - 75, centre + 75, -w.digIn - ramp, pierEnd), ramp);
    // Breakwaters: a long arm on the left side that turns into the head
    // breakwater across the basin front, and a short arm on the right; the
    // entrance is the gap between the head breakwater and the short arm.
    const double arm = std::min({boxDistance(u, v, -half - wall, -half, -w.digIn, head + wall),
                                 boxDistance(u, v, -half - wall, half - w.entrance, head, head + wall),
                                 boxDistance(u, v, half, half + wall, -w.digIn, 0.75 * head)});
    return intoBox(h, kLand, arm, ramp);
}

Grid buildSeabed(const CoastField& coast, double originLat, double originLon, double east0, double north0, double step,
                 int nx, int ny, const SeabedModel& model, const std::vector<PlacedWorks>& works) {
    Grid g = coast.signedDistance(east0, north0, step, nx, ny);
    boxBlur(g, static_cast<int>(std::lround(model.smoothing / step / 1.7)), 3);

    struct Frame {
        const HarbourWorks* works;
        PlanePt anchor, seaward, along;
    };
    std::vector<Frame> frames;
    for (const PlacedWorks& pw : works) {
        Frame f{&pw.works, {}, {}, {}};
        PlanePt out;
        vornel::toPlaneRect(pw.anchorLat, pw.anchorLon, originLat, originLon, f.anchor.north, f.anchor.east);
        vornel::toPlaneRect(pw.seawardLat, pw.seawardLon, originLat, originLon, out.north, out.east);
        const double de = out.east - f.anchor.east, dn = out.north - f.anchor.north;
        const double len = std::hypot(de, dn);
        f.seaward = {de / len, dn / len};
        f.along = {f.seaward.north, -f.seaward.east};  // to the right looking out to sea
        frames.push_back(f);
    }
    // Two nodes across every wall, so that the crest shows on the grid all along it.
    const double wall = std::max(50.0, 2.0 * step);
    const double ramp = 1.2 * step;
    for (int j = 0; j < ny; ++j) {
        for (int i = 0; i < nx; ++i) {
            double lat, lon;
            vornel::fromPlaneRect(g.northOf(j), g.eastOf(i), originLat, originLon, lat, lon);
            double h = profileDepth(model.profile, g.at(i, j));
            // Sand waves and shoals of a few metres near the shore; the deep
            // slope is smooth at the scale of these grids.
            if (h > 0) h += model.undulationAmount * std::min(h, 50.0) * undulation(lat, lon);
            for (const Frame& f : frames) {
                const double de = g.eastOf(i) - f.anchor.east, dn = g.northOf(j) - f.anchor.north;
                const double u = de * f.along.east + dn * f.along.north;
                const double v = de * f.seaward.east + dn * f.seaward.north;
                if (std::fabs(u) < 6000 && v > -3000 && v < 8000) h = applyWorks(*f.works, u, v, h, wall, ramp);
            }
            g.at(i, j) = h;
        }
    }
    return g;
}

PlacedWorks placeWorks(const CoastField& coast, double originLat, double originLon, double lat, double lon,
                       const HarbourWorks& works, double seawardAzimuth) {
    PlanePt p;
    vornel::toPlaneRect(lat, lon, originLat, originLon, p.north, p.east);
    const PlanePt anchor = coast.nearestCoastPoint(p);
    // Seaward: the gradient of the distance field smoothed over about 2 km,
    // which follows the general run of the coast rather than one segment.
    constexpr double kStep = 100;
    constexpr int kHalf = 30;
    Grid g = coast.signedDistance(anchor.east - kHalf * kStep, anchor.north - kHalf * kStep, kStep, 2 * kHalf + 1,
                                  2 * kHalf + 1);
    boxBlur(g, 7, 3);
    double ge = (g.at(kHalf + 1, kHalf) - g.at(kHalf - 1, kHalf)) / (2 * kStep);
    double gn = (g.at(kHalf, kHalf + 1) - g.at(kHalf, kHalf - 1)) / (2 * kStep);
    double len = std::hypot(ge, gn);
    if (seawardAzimuth >= 0) {  // the run of the coast is known better than the map shows it
        ge = std::sin(seawardAzimuth * kPi / 180);
        gn = std::cos(seawardAzimuth * kPi / 180);
        len = 1;
    }
    PlacedWorks pw;
    pw.works = works;
    vornel::fromPlaneRect(anchor.north, anchor.east, originLat, originLon, pw.anchorLat, pw.anchorLon);
    vornel::fromPlaneRect(anchor.north + 1000 * gn / len, anchor.east + 1000 * ge / len, originLat, originLon,
                          pw.seawardLat, pw.seawardLon);
    return pw;
}

}  // namespace sampledata
