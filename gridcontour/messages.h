// The converter's messages, in one place. Text is UTF-8 here; the console and
// message box writers convert it for Windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gridcontour::msg {

// Problems with the grid file; the caller adds the file's name and the line.
std::string lineTooLong();
std::string notANumber(std::string_view token);
std::string gridCut(long long row, long long rows);
std::string extraValues(long long columns, long long rows);
std::string headerIncomplete();
std::string unknownHeaderKey(std::string_view key);
std::string badGridSize(std::string_view key, std::string_view value);
std::string badCellSize();
std::string noValues();
std::string tooSmall();
std::string notRegular();
std::string notXyzLine();
std::string duplicatePoint();
std::string scatteredPoints(long long points, double columns, double rows);
std::string geoTiff(const std::string& name, const std::string& stem);
std::string netCdf(const std::string& name, const std::string& stem);
std::string surferGrid(const std::string& name, const std::string& stem);
std::string binaryFile(const std::string& name, const std::string& stem);
std::string zipFile();
std::string utf16Text();
std::string folderGiven();

// Problems with the command or the result.
std::string usage();
std::string help();  // the usage with what each option does
std::string badOption(std::string_view option);
std::string extraArgument(std::string_view argument);
std::string missingValue(std::string_view option);
std::string badNodata(std::string_view value);
std::string badArea(std::string_view value);
std::string areaOutsideGrid();
std::string badLevels(std::string_view text);
std::string tooManyLevels(std::size_t count, std::size_t limit);
std::string badZone(std::string_view text);
std::string cannotOpenGrid();
std::string outOfMemory();
std::string noContour(std::size_t levels);
std::string allNoData();
std::string tooManyPoints(long long points, const std::vector<long long>& perLevel, const std::vector<double>& levels,
                          long long limit);
std::string outsideColumns(double lat, double lon);
std::string cannotWriteFolder(std::string_view detail);
std::string allCodesUsed();

// Values that say the grid was labelled wrongly.
std::string impossibleValue(double value, long long count, bool depths);
std::string outlyingValue(double value, long long count, double othersLow, double othersHigh);
std::string onlyOneValue(double value, long long count);
std::string mostlyLand(bool depths, long long valid, long long land);

// Where the grid lies.
std::string prjUnreadable(const std::string& prj);
std::string tokyoDatum(const std::string& prj, const std::string& system, const std::string& grid,
                       const std::string& stem, int zone);
std::string utmGrid(const std::string& prj, const std::string& system, int zone, const std::string& grid,
                    const std::string& stem);
std::string webMercatorGrid(const std::string& prj, const std::string& system, const std::string& grid,
                            const std::string& stem);
std::string otherSystem(const std::string& prj, const std::string& system, const std::string& grid,
                        const std::string& stem);
std::string zoneContradictsPrj(int option, int prjZone, const std::string& prj);
std::string zoneOnDegreesPrj(int option, const std::string& prj);
std::string zoneOnDegrees(int zone);
enum class OutsideHint { Degrees, Metres, ZoneOption, ZonePrj };
struct Extent {
    double south, north, west, east;  // for the file's own coordinates: y, y, x, x
    void take(double x, double y) {
        south = y < south ? y : south;
        north = y > north ? y : north;
        west = x < west ? x : west;
        east = x > east ? x : east;
    }
};
std::string outsideJapan(const Extent& geo, const Extent& file, OutsideHint hint, int zone, const std::string& grid,
                         const std::string& stem);
std::string placedInZone(int zone, bool fromPrj);
std::string placedInDegrees(bool latitudeFirst);

// The outcome.
struct WrittenSummary {
    long long points = 0, lines = 0;
    std::size_t levels = 0;
    double shallowest = 0, deepest = 0;  // the depths of the contours written
    long long landNodes = 0, validNodes = 0;
    std::string placement;
    long long areaColumns = 0, areaRows = 0;  // the nodes --area took, when given
};
std::string written(const WrittenSummary& summary);

// 16332275 as "16,332,275".
std::string grouped(long long number);

}  // namespace gridcontour::msg
