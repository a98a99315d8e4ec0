#include "grid_placement.h"

#include <algorithm>
#include <cmath>

#include "coordinate_system.h"
#include "geodesy/plane_rect_zones.h"
#include "input_error.h"
#include "messages.h"
#include "native_file.h"

namespace gridcontour {

namespace {

bool inLatitudes(double v) { return v >= kJapanSouth - kJapanMargin && v <= kJapanNorth + kJapanMargin; }
bool inLongitudes(double v) { return v >= kJapanWest - kJapanMargin && v <= kJapanEast + kJapanMargin; }

struct Corners {
    double x[4], y[4];
};

Corners cornersOf(const GridGeometry& g) {
    const double lastRow = static_cast<double>(g.rows - 1), lastColumn = static_cast<double>(g.columns - 1);
    const double rows[4] = {0, 0, lastRow, lastRow}, columns[4] = {0, lastColumn, 0, lastColumn};
    Corners corners{};
    for (int i = 0; i < 4; ++i) {
        corners.x[i] = g.xAt(rows[i], columns[i]);
        corners.y[i] = g.yAt(rows[i], columns[i]);
    }
    return corners;
}

template <typename Test>
bool all(const double (&values)[4], Test test) {
    return std::all_of(std::begin(values), std::end(values), test);
}

// The zone a .prj gives (0 for degrees); other systems are refused by name
// with the command that turns the grid into degrees.
int zoneFromPrj(const PlacementRequest& request, bool& degrees) {
    degrees = false;
    const std::string prjName = utf8Of(request.prj->filename());
    const auto text = readPrj(*request.prj);
    const auto system = text ? parseCoordinateSystem(*text) : std::nullopt;
    if (!system) throw InputError(msg::prjUnreadable(prjName));
    const std::string gridName = utf8Of(request.grid.filename());
    const std::string stem = utf8Of(request.grid.stem());
    using Kind = CoordinateSystem::Kind;
    if (system->tokyoDatum && (system->kind == Kind::Geographic || system->kind == Kind::PlaneRectangular))
        throw InputError(msg::tokyoDatum(prjName, system->name, gridName, stem, system->zone));
    switch (system->kind) {
        case Kind::Geographic: degrees = true; return 0;
        case Kind::PlaneRectangular: return system->zone;
        case Kind::Utm: throw InputError(msg::utmGrid(prjName, system->name, system->zone, gridName, stem));
        case Kind::WebMercator: throw InputError(msg::webMercatorGrid(prjName, system->name, gridName, stem));
        case Kind::Other: break;
    }
    throw InputError(msg::otherSystem(prjName, system->name, gridName, stem));
}

}  // namespace

GeoPoint Placement::toGeo(double x, double y) const {
    if (zone_) {
        GeoPoint geo{};
        projector_.toGeographic(y, x, geo.lat, geo.lon);  // northing, easting
        return geo;
    }
    return latitudeFirst_ ? GeoPoint{x, y} : GeoPoint{y, x};
}

std::string Placement::description() const {
    if (zone_) return msg::placedInZone(zone_, zoneFromPrj_);
    return msg::placedInDegrees(latitudeFirst_);
}

Placement placeGrid(const PlacementRequest& request) {
    const GridGeometry& g = request.geometry;
    Placement placement;
    bool prjDegrees = false;
    const int prjZone = request.prj ? zoneFromPrj(request, prjDegrees) : 0;
    if (request.zoneOption && prjZone && request.zoneOption != prjZone)
        throw InputError(msg::zoneContradictsPrj(request.zoneOption, prjZone, utf8Of(request.prj->filename())));
    if (request.zoneOption && prjDegrees)
        throw InputError(msg::zoneOnDegreesPrj(request.zoneOption, utf8Of(request.prj->filename())));
    placement.zone_ = request.zoneOption ? request.zoneOption : prjZone;
    placement.zoneFromPrj_ = !request.zoneOption && prjZone;

    const Corners corners = cornersOf(g);
    const auto withinDegrees = [](double v) { return std::fabs(v) <= 360; };
    if (placement.zone_) {
        // Degrees read as metres lie within a few hundred metres of the
        // zone's origin, on cells of a fraction of a metre: still in Japan,
        // so the check of the corners below would not see it.
        const bool tinyCells = std::fabs(g.stepX) < 1 || std::fabs(g.stepY) < 1;
        if (tinyCells && all(corners.x, withinDegrees) && all(corners.y, withinDegrees))
            throw InputError(msg::zoneOnDegrees(placement.zone_));
        const auto origin = vornel::planeRectZoneOrigin(placement.zone_);
        placement.projector_ = vornel::PlaneRectProjector(origin.lat, origin.lon);
    } else if (request.xyz && !prjDegrees) {
        // Within Japan's waters latitudes and longitudes cannot be confused.
        const bool lonFirst = all(corners.x, inLongitudes) && all(corners.y, inLatitudes);
        const bool latFirst = all(corners.x, inLatitudes) && all(corners.y, inLongitudes);
        placement.latitudeFirst_ = latFirst && !lonFirst;
    }

    msg::Extent geo{90, -90, 360, -360}, file{1e300, -1e300, 1e300, -1e300};
    bool inside = true;
    for (int i = 0; i < 4; ++i) {
        const GeoPoint point = placement.toGeo(corners.x[i], corners.y[i]);
        geo.take(point.lon, point.lat);
        file.take(corners.x[i], corners.y[i]);
        inside = inside && inLatitudes(point.lat) && inLongitudes(point.lon);
    }
    if (!inside) {
        msg::OutsideHint hint = msg::OutsideHint::Degrees;
        if (request.zoneOption) hint = msg::OutsideHint::ZoneOption;
        else if (placement.zone_) hint = msg::OutsideHint::ZonePrj;
        else if (!all(corners.x, withinDegrees) || !all(corners.y, withinDegrees)) hint = msg::OutsideHint::Metres;
        throw InputError(msg::outsideJapan(geo, file, hint, placement.zone_, utf8Of(request.grid.filename()),
                                           utf8Of(request.grid.stem())));
    }
    return placement;
}

}  // namespace gridcontour
