// The coordinate system named by the .prj file that GDAL, QGIS and ArcGIS
// write beside a grid (WKT, the ESRI form or OGC WKT 1 or 2): only as much as
// deciding whether the grid's x and y are degrees, metres of one of Japan's
// plane rectangular systems, or something this converter cannot place.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gridcontour {

struct CoordinateSystem {
    enum class Kind {
        Geographic,        // degrees of latitude and longitude
        PlaneRectangular,  // one of Japan's 19 systems, metres
        Utm,
        WebMercator,
        Other,             // anything else, by name
    };
    Kind kind = Kind::Other;
    std::string name;          // as the file gives it, for messages
    bool tokyoDatum = false;   // the old Japanese datum (Bessel 1841), some 400 m off today's
    int zone = 0;              // plane rectangular system 1–19, or the UTM zone
};

// The system a WKT text names; nullopt when the text is not WKT of a
// coordinate system at all.
std::optional<CoordinateSystem> parseCoordinateSystem(std::string_view wkt);

// The .prj beside a grid ("bay.asc" → "bay.prj", also "bay.PRJ"), if there is one.
std::optional<std::filesystem::path> prjBeside(const std::filesystem::path& grid);

// Reads a .prj of at most 64 KB (a WKT is well under 4 KB). nullopt when it
// cannot be read or is longer.
std::optional<std::string> readPrj(const std::filesystem::path& path);

}  // namespace gridcontour
