// Building contour files for the loader and index tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"

namespace vornel {

// A DMS field of the contour header: hemisphere, degrees, minutes, seconds (15 characters).
inline std::string dms(char hemisphere, int degrees, int minutes, double seconds) {
    return format("%c%3d %02d'%6.3f\"", hemisphere, degrees, minutes, seconds);
}

// A header line: depth, point count and, when given, the two origin fields at 49 and 65.
inline std::string header(double depth, int count, const std::string& lat = "", const std::string& lon = "") {
    std::string line = format("%10.2f%5d", depth, count);
    if (!lat.empty()) {
        line.resize(49, ' ');
        line += lat + " " + lon;
    }
    return line + "\r\n";
}

// The data lines of a contour: (east, north) pairs, four to a line.
inline std::string points(const std::vector<std::pair<double, double>>& pts) {
    std::string out;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        out += format("%10.2f%10.2f", pts[i].first, pts[i].second);
        if (i % 4 == 3 || i + 1 == pts.size()) out += "\r\n";
    }
    return out;
}

inline const std::string kEndMarkerLine = "   1000.00    5\r\n";

}  // namespace vornel
