#include "bathymetry/m7000_points.h"

#include <algorithm>

#include "bathymetry/depth_levels.h"
#include "bathymetry/m7000_levels.h"
#include "bathymetry/m7000_messages.h"
#include "geodesy/plane_rect.h"
#include "platform/text.h"

namespace vornel {

namespace {
// Zero-filled at load; the pages are only touched as points are staged.
M7000Point pointTable[kM7000PointCapacity];
M7000PointBuffer buffer{pointTable, 0};
M7000Extent extent;

// The last path component, 8-bit, for messages.
std::string ansiFileName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return platform().toCp932(slash == std::wstring::npos ? path : path.substr(slash + 1));
}
}  // namespace

M7000PointBuffer& m7000PointBuffer() {
    return buffer;
}
M7000Extent& m7000Extent() {
    return extent;
}

M7000Staging::M7000Staging(WindowRef owner, const std::wstring& file)
    : owner_(owner), file_(file), buffer_(buffer), extent_(extent) {
    extent_ = M7000Extent{};
    buffer_.m7000PointCount = 0;
    resetM7000Levels();
}

int M7000Staging::levelOf(double depth) {
    const int level = findM7000DepthLevel(depth);
    if (level < 0 && !levelsWarned_) {
        levelsWarned_ = true;
        platform().warn(owner_, widen(m7000_text::kCaptionLoad),
                        m7000_text::depthLevelsFull(ansiFileName(file_), kDepthLevelCapacity));
    }
    return level;
}

void M7000Staging::warnFull() {
    platform().warn(owner_, widen(m7000_text::kCaptionLoad), m7000_text::pointBufferFull(kM7000PointCapacity));
}

void finishM7000Load(double originLat, double originLon) {
    ContourStore& store = contourStore();
    const int n = buffer.m7000PointCount;
    if (originLat < 0.1) {
        double sumLat = 0.0, sumLon = 0.0;
        for (int j = 0; j < n; ++j) {
            sumLat += buffer.points[j].lat;
            sumLon += buffer.points[j].lon;
        }
        originLat = n > 0 ? sumLat / n : 0.0;
        originLon = n > 0 ? sumLon / n : 0.0;
    }

    const PlaneRectProjector projector(originLat, originLon);
    float minEast = 0.0f, maxEast = 0.0f, minNorth = 0.0f, maxNorth = 0.0f;
    for (int j = 0; j < n; ++j) {
        const M7000Point& p = buffer.points[j];
        double x, y;
        projector.toPlane(p.lat, p.lon, x, y);
        ContourPoint& c = store.points[j];
        c.east = static_cast<float>(y);
        c.north = static_cast<float>(x);
        c.depth = p.depth;
        c.lineStart = p.lineStart;
        if (j == 0) {
            minEast = maxEast = c.east;
            minNorth = maxNorth = c.north;
        } else {
            minEast = std::min(minEast, c.east);
            maxEast = std::max(maxEast, c.east);
            minNorth = std::min(minNorth, c.north);
            maxNorth = std::max(maxNorth, c.north);
        }
    }
    store.contourPointCount = n;
    // With no point there is nothing to centre on: the view centres on the origin.
    store.dataCentre.centreEast = static_cast<float>((static_cast<double>(minEast) + maxEast) / 2.0);
    store.dataCentre.centreNorth = static_cast<float>((static_cast<double>(minNorth) + maxNorth) / 2.0);
    store.projectionOrigin = {originLat, originLon};
    sortDepthLevels();
}

void abandonM7000Load() {
    ContourStore& store = contourStore();
    buffer.m7000PointCount = 0;
    extent = M7000Extent{};
    resetM7000Levels();
    store.contourPointCount = 0;
    store.dataCentre = {};
    sortDepthLevels();
}

}  // namespace vornel
