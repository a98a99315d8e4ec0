#include "bathymetry/coastline.h"

#include <string>
#include <string_view>

#include "bathymetry/data_folder.h"
#include "bathymetry/fixed_columns.h"
#include "platform/line_reader.h"
#include "platform/paths.h"
#include "platform/platform.h"

namespace vornel {

namespace {

Coastline coast;

// The polygons of japan.llm that make the overview: the main islands and the larger islands.
constexpr int kTakenPolygons[] = {13, 14, 17, 26, 27, 30, 31};

constexpr std::size_t kGroupWidth = 16;
constexpr std::size_t kGroupsPerLine = 4;
// A group is read only when the line (line end included) reaches this far into it.
constexpr std::size_t kGroupMinimum = 10;

bool isTaken(int number) {
    for (int taken : kTakenPolygons)
        if (number == taken) return true;
    return false;
}

// "poly <number>": the number as scanf "%d" reads it; false when there is none.
bool polygonNumber(std::string_view line, int& number) {
    std::size_t i = 5;
    while (i < line.size() && (line[i] == ' ' || (line[i] >= '\t' && line[i] <= '\r'))) ++i;
    std::size_t j = i;
    if (j < line.size() && (line[j] == '+' || line[j] == '-')) ++j;
    if (j >= line.size() || line[j] < '0' || line[j] > '9') return false;
    number = parseInt(line.substr(i));
    return true;
}

enum State { LOOKING_FOR_HEADER = 0, FIRST_POINT = 1, IN_POLYGON = 2 };

}  // namespace

Coastline& coastline() {
    return coast;
}

void loadCoastline() {
    coast.coastlinePointCount = 0;
    std::wstring path;
    if (!joinPath(path, dataFolders().programFolder, L"japan.llm")) return;
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return;
    LineReader reader(file.get());
    std::string_view line;
    State state = LOOKING_FOR_HEADER;
    int polygon = 0;
    while (reader.next(line)) {
        if (state == LOOKING_FOR_HEADER) {
            // While inside a polygon a header is read as data: a polygon ends only at ";".
            if (line.substr(0, 5) == "poly " && polygonNumber(line, polygon) && isTaken(polygon)) state = FIRST_POINT;
            continue;
        }
        for (std::size_t i = 0; i < kGroupsPerLine; ++i) {
            const std::size_t at = i * kGroupWidth;
            if (coast.coastlinePointCount >= kCoastlineCapacity || line.size() < at + kGroupMinimum) break;
            const std::string_view group = column(line, at, kGroupWidth);
            CoastlinePoint& p = coast.points[coast.coastlinePointCount++];
            p.lon = static_cast<float>(columnInt(group, 6, 2) / 60.0 + columnInt(group, 0, 5));
            p.lat = static_cast<float>(columnInt(group, 13, 2) / 60.0 + columnInt(group, 8, 4));
            p.polyStart = (i == 0 && state == FIRST_POINT) ? 1 : 0;
            p.polyId = polygon;
            const std::size_t end = at + kGroupWidth;
            state = (line.size() > end && line[end] == ';') ? LOOKING_FOR_HEADER : IN_POLYGON;
        }
    }
}

}  // namespace vornel
