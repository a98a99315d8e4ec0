// Japan plane rectangular coordinates: transverse Mercator on GRS80 with
// m0 = 0.9999, Krüger's series to the fifth order. The origin always comes
// from the data. x is the northing, y the easting, both in metres from the origin.
#pragma once

namespace vornel {

// Geographic degrees to plane metres about the origin (originLat, originLon).
void toPlaneRect(double lat, double lon, double originLat, double originLon, double& x, double& y);
// Plane metres about the origin to geographic degrees.
void fromPlaneRect(double x, double y, double originLat, double originLon, double& lat, double& lon);

// The same conversions with the per-origin work done once, for loaders that
// convert many points about one origin. Results are identical to the plain
// functions. A projector is a small value; it allocates nothing and holds no
// state beyond its origin, so copies may be used from any thread.
class PlaneRectProjector {
public:
    PlaneRectProjector() = default;  // origin 0° N, 0° E
    PlaneRectProjector(double originLat, double originLon);

    void toPlane(double lat, double lon, double& x, double& y) const;
    void toGeographic(double x, double y, double& lat, double& lon) const;

    double originLat() const { return originLat_; }
    double originLon() const { return originLon_; }
    // Meridian arc from the equator to the origin latitude on the projection, metres.
    double originArc() const { return originArc_; }

private:
    double originLat_ = 0.0;
    double originLon_ = 0.0;
    double originLonRad_ = 0.0;
    double originArc_ = 0.0;
};

}  // namespace vornel
