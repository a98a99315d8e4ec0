// The converter's command: read a grid, contour it, write one M7000 text data
// set. Portable; the entry points only gather arguments and show the outcome.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace gridcontour {

// --area=S,W,N,E: the part of the grid to contour, degrees.
struct Area {
    double south, west, north, east;
};

struct ContourOptions {
    bool help = false;             // -h, --help: print the usage and nothing else
    std::filesystem::path grid;
    std::filesystem::path folder;  // empty: the grid's own folder
    bool depths = false;           // values are depths, positive down (else elevations)
    std::optional<std::vector<double>> levels;
    int zone = 0;                  // 1–19: x, y are metres of that plane rectangular system
    std::optional<double> nodata;  // overrides the grid's own NODATA_value
    std::optional<Area> area;
    // Codes VORNEL's index already knows (see chooseDataSetName).
    std::set<std::string> reservedCodes;
    // The grid name the data set is called by, when the caller had to make it
    // fit (Shift_JIS on Windows); else the grid's file name without extension.
    std::optional<std::filesystem::path> dataSetStem;
};

// Exit status: 0 written, 1 bad input or no usable result, 2 bad command line.
struct ContourOutcome {
    int exitCode = 0;
    std::string message;               // one line, UTF-8
    std::filesystem::path written;     // the full path of the data set, when written
};

// The arguments after the program's name; an option's value follows "=" or
// comes as the next argument ("--zone 9"). Throws InputError (exit 2).
ContourOptions parseArguments(const std::vector<std::filesystem::path>& arguments);

ContourOutcome runContour(const ContourOptions& options);

}  // namespace gridcontour
