// The seabed model: depth from the distance to the real coastline, a gentle
// large-scale undulation, and the dredged basin, breakwaters and channel of a
// harbour.
#pragma once

#include <vector>

#include "geometry.h"

namespace sampledata {

// Depth profile across the shore, h(s) for a distance s (m) from the coast:
// Dean's equilibrium beach A·s^(2/3), a linear shelf gradient, and below the
// shelf edge a steeper continental slope.
struct SeabedProfile {
    double deanA = 0.1;            // m^(1/3); 0.1 suits medium sand
    double shelfGradient = 0.003;  // m per m
    double shelfEdge = 30000;      // m from the coast
    double slopeGradient = 0.03;   // m per m beyond the shelf edge
    double maxDepth = 3000;        // the slope flattens out onto the basin floor
};

double profileDepth(const SeabedProfile& p, double signedDistance);

// Smooth undulation of the whole map, about ±1, the same at a place whichever
// grid samples it, so that harbour and chart files agree.
double undulation(double lat, double lon);

// Harbour works in their own frame: v seaward from the anchor on the coast,
// u along the shore (to the right when looking out to sea).
struct HarbourWorks {
    double basinWidth = 1800;   // m between the breakwater arms
    double basinLength = 1200;  // m from the coastline out to the head breakwater
    double digIn = 300;         // m the basin is dug into the land behind the coast
    double basinDepth = 12;     // m, dredged
    double entrance = 300;      // m between the head breakwater and the short arm
};

// A harbour's works placed on the map: the anchor and seaward direction are
// found from the coastline when the harbour is generated.
struct PlacedWorks {
    HarbourWorks works;
    double anchorLat = 0, anchorLon = 0;
    double seawardLat = 0, seawardLon = 0;  // a point 1 km out to sea from the anchor
};

// Applies the works to a natural depth h at (u, v); `wall` is the breakwater
// thickness, at least a grid cell or so, so that coarse grids still see it,
// and `ramp` the width over which walls and slopes change the depth.
double applyWorks(const HarbourWorks& w, double u, double v, double h, double wall, double ramp);

struct SeabedModel {
    SeabedProfile profile;
    double undulationAmount = 0.08;  // fraction of the depth
    double smoothing = 250;          // m, blur radius of the distance field
};

// Depth grid (m, negative on land) over the nodes of a plane grid about the
// origin, with the given harbour works applied.
Grid buildSeabed(const CoastField& coast, double originLat, double originLon, double east0, double north0, double step,
                 int nx, int ny, const SeabedModel& model, const std::vector<PlacedWorks>& works);

// Finds the anchor (nearest coast point to the harbour position) and the
// seaward direction: the gradient of the smoothed distance field there, or
// `seawardAzimuth` (degrees clockwise from grid north) when it is 0 or more.
PlacedWorks placeWorks(const CoastField& coast, double originLat, double originLon, double lat, double lon,
                       const HarbourWorks& works, double seawardAzimuth);

}  // namespace sampledata
