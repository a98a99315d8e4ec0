// Japan plane rectangular coordinates: transverse Mercator on GRS80 with
// m0 = 0.9999, Krüger's series to the fifth order. The origin always comes
// from the data. x is the northing, y the easting, both in metres from the origin.
#pragma once

namespace vornel {

void toPlaneRect(double lat, double lon, double originLat, double originLon, double& x, double& y);
void fromPlaneRect(double x, double y, double originLat, double originLon, double& lat, double& lon);

}  // namespace vornel
