// A place in degrees, as the data set's columns hold it.
#pragma once

namespace gridcontour {

struct GeoPoint {
    double lat, lon;
};

}  // namespace gridcontour
