// The coastline of the overview map, read once at start-up from japan.llm in
// the program folder: polygons in whole degrees and minutes, of which only the
// polygons with the taken numbers are kept.
#pragma once

#include <cstdint>

namespace vornel {

inline constexpr int kCoastlineCapacity = 15'000;

struct CoastlinePoint {
    float lat;               // degrees
    float lon;               // degrees
    std::int32_t polyStart;  // 1 for the first point of a polygon
    std::int32_t polyId;     // polygon number from the header
};

struct Coastline {
    CoastlinePoint points[kCoastlineCapacity];
    int coastlinePointCount;
};

Coastline& coastline();

// Reads ProgramFolder\japan.llm; a missing file leaves the coastline empty and
// points beyond the capacity are dropped, both without a message.
void loadCoastline();

}  // namespace vornel
