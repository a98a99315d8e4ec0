// Writing contour lines as an M7000 text data set that VORNEL opens: one
// point a line in the fixed columns of the set, CR LF, each contour line
// with its own number. Written beside under a temporary name and renamed
// into place only when complete.
#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "contour_builder.h"
#include "geo_point.h"

namespace gridcontour {

// One data-set line; false when a value does not fit its columns.
bool formatPointLine(std::string& out, double depth, double lat, double lon, long long lineNumber);

// The data set's name for a grid: "M79NN_<grid name>.txt" with the lowest NN
// of 01–99 whose code "M79NN" no file in `folder` starts with and that is not
// in `reserved` (codes VORNEL's own index already gives an extent and origin).
// `gridStem` has characters Windows refuses in file names replaced by '_', and
// is cut to 100 bytes (UTF-16 units on Windows) on a character boundary.
// Empty when all 99 codes are taken. Throws std::filesystem::filesystem_error
// when the folder cannot be listed.
std::filesystem::path chooseDataSetName(const std::filesystem::path& folder, const std::filesystem::path& gridStem,
                                        const std::set<std::string>& reserved);

// The codes (first fields) of VORNEL's M7000 series list and index in a
// program folder's Db01, if present.
std::set<std::string> codesKnownToVornel(const std::filesystem::path& programFolder);

// Whether a data set can be written as `target`: the temporary file beside
// it is made and removed again. Empty, or what went wrong.
std::string checkWritable(const std::filesystem::path& target);

struct WrittenDataSet {
    std::string failure;  // empty when written
    long long points = 0, lines = 0;
    std::set<std::size_t> levels;
};

// Writes `lines` to `target` through a temporary file beside it. `toGeo`
// turns a grid point into degrees, `depths` are the levels' depths. Points
// that come out on the same coordinates as the one before are written once,
// and a line left with a single point not at all.
WrittenDataSet writeDataSet(const std::filesystem::path& target, const std::vector<ContourLine>& lines,
                            const std::vector<double>& depths, const std::function<GeoPoint(const GridPoint&)>& toGeo);

}  // namespace gridcontour
