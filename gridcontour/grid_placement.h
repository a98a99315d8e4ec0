// Where on the earth a grid lies: degrees (either column first in an XYZ
// file) or metres of one of Japan's plane rectangular systems, taken from
// --zone or from the .prj beside the grid. Decided from the grid's corners
// before its values are read, and refused with a message whenever the grid
// would land outside Japan's waters or its .prj names another system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "geo_point.h"
#include "geodesy/plane_rect.h"
#include "grid_reader.h"

namespace gridcontour {

// Japan's waters, from Okinotorishima to Soya and from Yonaguni to
// Minamitorishima, with half a degree to spare: a grid beyond lies somewhere
// it was not meant to.
inline constexpr double kJapanSouth = 20, kJapanNorth = 46, kJapanWest = 122, kJapanEast = 154;
inline constexpr double kJapanMargin = 0.5;

struct PlacementRequest {
    GridGeometry geometry;  // complete: rows and steps known
    bool xyz = false;       // only an XYZ file may give latitude first
    int zoneOption = 0;     // --zone, 0 when not given
    std::filesystem::path grid;
    std::optional<std::filesystem::path> prj;  // the .prj beside the grid
};

class Placement {
public:
    // The grid's own (x, y) as the file gives them, in degrees, and back.
    GeoPoint toGeo(double x, double y) const;
    void toFile(const GeoPoint& geo, double& x, double& y) const;
    // For the success line: which coordinates were read, and from where.
    std::string description() const;

    int zone() const { return zone_; }
    bool latitudeFirst() const { return latitudeFirst_; }

private:
    friend Placement placeGrid(const PlacementRequest& request);
    int zone_ = 0;
    bool zoneFromPrj_ = false;
    bool latitudeFirst_ = false;
    vornel::PlaneRectProjector projector_;
};

// Throws InputError with the message when the grid cannot be placed.
Placement placeGrid(const PlacementRequest& request);

// The rows and columns of nodes (file order, inclusive) that cover an area.
struct NodeWindow {
    long long firstRow, lastRow, firstColumn, lastColumn;
    long long rows() const { return lastRow - firstRow + 1; }
    long long columns() const { return lastColumn - firstColumn + 1; }
};

// The nodes of the grid that cover the area south–north, west–east
// (degrees), with the node beyond each edge so that contours reach it; on a
// plane rectangular grid the rows and columns around the area's curved
// edges. Throws InputError when the area holds no cell of the grid.
NodeWindow areaWindow(const Placement& placement, const GridGeometry& geometry, double south, double west,
                      double north, double east);

}  // namespace gridcontour
