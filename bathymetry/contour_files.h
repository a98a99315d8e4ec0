// The contour files of the harbours and charts, and the rebuild of the one
// contour store from the harbours and charts the user has selected.
//
// A file is a run of contours: a header line (depth at columns 0–9, point
// count at 10–14, and on the file's first line the origin as two DMS fields at
// 49–63 and 65–79) followed by its points, four to a line, each point an
// easting and a northing of ten columns. "   1000.00    5" marks the end.
#pragma once

#include <string>
#include <string_view>

namespace vornel {

// True for the header line that ends a contour file.
bool isEndMarker(std::string_view line);

// Rebuilds the contour store from the selected harbours and charts when the
// selection changed since the last rebuild; otherwise returns at once, so the
// paint can call it every time. Sets contourStoreValid to 0 when the selection
// holds more points than the store.
void loadSelectedContours();

// The plane extent of a contour file, in metres, starting from the values that
// an empty file leaves.
struct PlaneExtent {
    double minEast = 999999.9;
    double maxEast = -999999.9;
    double minNorth = 999999.9;
    double maxNorth = -999999.9;
};

// Reads the whole file at `path` for its extent. The origin DMS fields of the
// first line go to originLat / originLon where they are valid. With
// `stopAtEndMarker` false the end marker is read as a contour of five points
// (the harbour index has always counted them). False when the file cannot be opened.
bool scanContourExtent(const std::wstring& path, bool stopAtEndMarker, double& originLat, double& originLon,
                       PlaneExtent& extent);

// Latitude/longitude corners of a plane extent about an origin: north-west
// (largest northing, smallest easting) and south-east.
void extentCorners(const PlaneExtent& extent, double originLat, double originLon, double& northLat, double& westLon,
                   double& southLat, double& eastLon);

}  // namespace vornel
