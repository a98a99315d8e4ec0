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

void Placement::toFile(const GeoPoint& geo, double& x, double& y) const {
    if (zone_) {
        projector_.toPlane(geo.lat, geo.lon, y, x);  // northing, easting
    } else if (latitudeFirst_) {
        x = geo.lat;
        y = geo.lon;
    } else {
        x = geo.lon;
        y = geo.lat;
    }
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
    } else if (request.xyz) {
        // Within Japan's waters latitudes and longitudes cannot be confused
        // (a .prj of degrees does not say the order: files differ).
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

NodeWindow areaWindow(const Placement& placement, const GridGeometry& g, double south, double west, double north,
                      double east) {
    // The area's edge, eight points a side: enough to follow its curve in
    // plane rectangular coordinates to well within a cell of any grid.
    double lowRow = 1e300, highRow = -1e300, lowColumn = 1e300, highColumn = -1e300;
    constexpr int kSteps = 8;
    for (int side = 0; side < 4; ++side)
        for (int i = 0; i < kSteps; ++i) {
            const double t = static_cast<double>(i) / kSteps;
            const GeoPoint corners[4] = {{south, west}, {south, east}, {north, east}, {north, west}};
            const GeoPoint a = corners[side], b = corners[(side + 1) % 4];
            double x = 0, y = 0;
            placement.toFile({a.lat + t * (b.lat - a.lat), a.lon + t * (b.lon - a.lon)}, x, y);
            // (x, y) into fractional rows and columns of the file.
            const double along = g.rowsAlongY ? (y - g.firstY) / g.stepY : (x - g.firstX) / g.stepX;
            const double across = g.rowsAlongY ? (x - g.firstX) / g.stepX : (y - g.firstY) / g.stepY;
            lowColumn = std::min(lowColumn, along), highColumn = std::max(highColumn, along);
            lowRow = std::min(lowRow, across), highRow = std::max(highRow, across);
        }
    const auto clamp = [](double value, long long count) {
        return static_cast<long long>(std::clamp(value, 0.0, static_cast<double>(count - 1)));
    };
    NodeWindow window{clamp(std::floor(lowRow), g.rows), clamp(std::ceil(highRow), g.rows),
                      clamp(std::floor(lowColumn), g.columns), clamp(std::ceil(highColumn), g.columns)};
    if (highRow < 0 || lowRow > static_cast<double>(g.rows - 1) || highColumn < 0 ||
        lowColumn > static_cast<double>(g.columns - 1) || window.rows() < 2 || window.columns() < 2)
        throw InputError(msg::areaOutsideGrid());
    return window;
}

}  // namespace gridcontour
