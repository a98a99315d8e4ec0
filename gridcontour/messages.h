// The converter's messages, in one place. Text is UTF-8 here; the console and
// message box writers convert it for Windows.
#pragma once

#include <string>
#include <string_view>

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

// Problems with the command or the result.
std::string usage();
std::string badOption(std::string_view option);
std::string badLevels(std::string_view text);
std::string tooManyLevels(std::size_t count, std::size_t limit);
std::string badZone(std::string_view text);
std::string cannotOpenGrid();
std::string outOfMemory();
std::string noContour(std::size_t levels);
std::string tooManyPoints(long long points, std::size_t levels, long long limit);
std::string outsideColumns(double lat, double lon);
std::string cannotWriteFolder(std::string_view detail);
std::string allCodesUsed();
std::string written(long long points, long long lines, std::size_t levels);

}  // namespace gridcontour::msg
