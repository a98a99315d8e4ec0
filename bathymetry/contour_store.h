// The one contour store: every contour point of the data that is shown now,
// whatever its source (harbour, chart or M7000 data set).
#pragma once

#include <cstdint>

namespace vornel {

inline constexpr int kContourStoreCapacity = 5'000'000;
inline constexpr int kDepthLevelCapacity = 10'000;

struct ContourPoint {
    float east;         // metres
    float north;        // metres
    float depth;        // metres, positive down
    std::int32_t level; // index of the depth in depthLevelList
    std::int32_t lineStart;  // 1 for the first point of a polyline
};
static_assert(sizeof(ContourPoint) == 20, "contour points are 20-byte records");

struct ProjectionOrigin {
    double originLat = 0.0;
    double originLon = 0.0;
};

struct DataCentre {
    float centreEast = 0.0f;
    float centreNorth = 0.0f;
};

struct ContourStore {
    ContourPoint* points;  // kContourStoreCapacity entries, allocated once for the whole run
    int contourPointCount;
    float depthLevelList[kDepthLevelCapacity];  // distinct depths in order of first appearance
    int depthLevelCount;
    std::int32_t depthLevelOrder[kDepthLevelCapacity];  // entry k: index of the k-th smallest depth
    int contourStoreValid;                               // 0 after a rebuild ran out of capacity
    ProjectionOrigin projectionOrigin;
    DataCentre dataCentre;
};

// The store of the process. Tests fill and clear it directly.
ContourStore& contourStore();
// Empties the store (points, levels, origin and centre); keeps the point table.
void resetContourStore();

}  // namespace vornel
