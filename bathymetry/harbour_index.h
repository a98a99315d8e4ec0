// The harbour index kowan.grd: the latitude/longitude extent and origin of
// every harbour's contour file, so that the overview can place the harbours
// without reading their contours at every start.
#pragma once

namespace vornel {

// Takes each harbour's extent and origin from Db01\kowan.grd, works out those
// the index lacks from the contour files, and writes the index anew when any
// had to be worked out. Runs once at start-up, after loadHarbourList.
void loadHarbourIndex();

}  // namespace vornel
