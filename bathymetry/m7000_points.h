// The staging of an M7000 load: the points in geographic degrees as read,
// their extent, and the last step that puts them into the contour store.
//
// Both M7000 loaders (shapefile and text) stage through M7000Staging and end
// with finishM7000Load.
#pragma once

#include <cstdint>
#include <string>

#include "bathymetry/contour_store.h"
#include "platform/platform.h"

namespace vornel {

inline constexpr int kM7000PointCapacity = kContourStoreCapacity;

struct M7000Point {
    double lat;
    double lon;
    float depth;
    std::int32_t lineStart;  // 1 for the first point of a line
};

struct M7000PointBuffer {
    M7000Point* points;  // kM7000PointCapacity entries, allocated once for the whole run
    int m7000PointCount;
};

// Degrees. The starting values are what an empty load leaves.
struct M7000Extent {
    double northLat = -90.0;
    double westLon = 360.0;
    double southLat = 90.0;
    double eastLon = 0.0;
};

M7000PointBuffer& m7000PointBuffer();
M7000Extent& m7000Extent();

// One load's staging. Starting it empties the buffer, the extent and the
// depth levels. `file` names the data file in messages.
class M7000Staging {
public:
    M7000Staging(WindowRef owner, const std::wstring& file);

    // The level of `depth` (looked up or appended), or -1 when the level list
    // is full: the caller then leaves the points of that depth out; the
    // warning is shown once per load.
    int levelOf(double depth);

    bool full() const { return buffer_.m7000PointCount >= kM7000PointCapacity; }

    // Stages one point. Returns false, after the capacity warning, when the
    // buffer already holds its 5,000,000 points.
    bool stage(double lat, double lon, float depth, int level, std::int32_t lineStart) {
        if (full()) {
            warnFull();
            return false;
        }
        const int i = buffer_.m7000PointCount++;
        buffer_.points[i] = M7000Point{lat, lon, depth, lineStart};
        contourStore().points[i].level = level;
        if (lat > extent_.northLat) extent_.northLat = lat;
        if (lat < extent_.southLat) extent_.southLat = lat;
        if (lon > extent_.eastLon) extent_.eastLon = lon;
        if (lon < extent_.westLon) extent_.westLon = lon;
        return true;
    }

    // The capacity warning, for a point that arrives while the buffer is full.
    void warnFull();

private:
    WindowRef owner_;
    std::wstring file_;
    M7000PointBuffer& buffer_;
    M7000Extent& extent_;
    bool levelsWarned_ = false;
};

// The common last step of both loaders: the origin rule (an originLat below
// 0.1 means none, and the mean of the staged points is used), the projection
// of every staged point into the contour store, the data centre, the
// projection origin and the depth order.
void finishM7000Load(double originLat, double originLon);

// What a load whose data file could not be opened leaves: an empty store
// (no points, no levels, centre 0) that never refers to levels of another
// load. The projection origin stays as it was.
void abandonM7000Load();

}  // namespace vornel
