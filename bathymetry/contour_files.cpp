#include "bathymetry/contour_files.h"

#include <algorithm>

#include "bathymetry/chart_tables.h"
#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/depth_levels.h"
#include "bathymetry/fixed_columns.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/messages.h"
#include "geodesy/plane_rect.h"
#include "platform/line_reader.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace vornel {

namespace txt = bathymetry_text;

namespace {

constexpr std::string_view kEndMarker = "   1000.00    5";
constexpr std::size_t kPointsPerLine = 4;
constexpr std::size_t kPointWidth = 20;
constexpr std::size_t kCoordinateWidth = 10;
constexpr std::size_t kLatColumn = 49, kLonColumn = 65;

// What one rebuild carries from file to file.
struct Rebuild {
    bool storeFull = false;   // no more points are stored in this rebuild
    bool levelsFull = false;  // a depth found no level; reported once
};

bool selectionChanged() {
    const HarbourList& harbours = harbourList();
    for (int i = 0; i < harbours.harbourCount; ++i)
        if (harbours.records[i].selected != harbours.records[i].loaded) return true;
    for (const ChartList* list : {&chart50kList(), &chart200kList()})
        for (int i = 0; i < list->count; ++i)
            if (list->records[i].selected != list->records[i].loaded) return true;
    return false;
}

void readOrigin(std::string_view firstLine) {
    ProjectionOrigin& origin = contourStore().projectionOrigin;
    parseContourDms(firstLine, kLatColumn, origin.originLat);
    parseContourDms(firstLine, kLonColumn, origin.originLon);
}

// Appends the contours of one file to the store. `ansiName` names the file in messages.
void loadContourFile(const std::wstring& path, std::string_view ansiName, Rebuild& rebuild) {
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return;  // missing files were reported at start-up
    LineReader reader(file.get());
    std::string_view line;
    if (!reader.next(line) || isEndMarker(line)) return;
    readOrigin(line);
    // Once the store is full only the origin of each later file still counts.
    if (rebuild.storeFull) return;

    ContourStore& store = contourStore();
    ContourPoint* points = store.points;
    int count = store.contourPointCount;
    for (;;) {
        const float depth = static_cast<float>(columnDouble(line, 0, 10));
        int remaining = columnInt(line, 10, 5);
        int level = -2;  // looked up with the first point of the contour
        std::int32_t lineStart = 1;
        while (remaining > 0) {
            if (!reader.next(line)) {
                store.contourPointCount = count;
                return;
            }
            for (std::size_t p = 0; p < kPointsPerLine && remaining > 0; ++p, --remaining) {
                if (count >= kContourStoreCapacity) {
                    platform().warn(nullptr, widen(txt::kCaptionContourLoad),
                                    txt::contourStoreFull(kContourStoreCapacity));
                    store.contourStoreValid = 0;
                    rebuild.storeFull = true;
                    store.contourPointCount = count;
                    return;
                }
                if (level == -2) level = findDepthLevel(depth);
                if (level < 0) {
                    // No room for another depth: the contour is left out, never given a bad level.
                    if (!rebuild.levelsFull)
                        platform().warn(nullptr, widen(txt::kCaptionContourLoad),
                                        txt::depthLevelsFull(ansiName, kDepthLevelCapacity));
                    rebuild.levelsFull = true;
                    continue;
                }
                const std::size_t at = p * kPointWidth;
                ContourPoint& point = points[count++];
                point.east = static_cast<float>(columnDouble(line, at, kCoordinateWidth));
                point.north = static_cast<float>(columnDouble(line, at + kCoordinateWidth, kCoordinateWidth));
                point.depth = depth;
                point.level = level;
                point.lineStart = lineStart;
                lineStart = 0;
            }
        }
        if (!reader.next(line) || isEndMarker(line)) break;
    }
    store.contourPointCount = count;
}

void computeDataCentre() {
    ContourStore& store = contourStore();
    const int n = store.contourPointCount;
    if (n == 0) {
        // Nothing to centre on: the view centres on the origin.
        store.dataCentre = {};
        return;
    }
    float minEast = store.points[0].east, maxEast = minEast;
    float minNorth = store.points[0].north, maxNorth = minNorth;
    for (int i = 1; i < n; ++i) {
        const ContourPoint& p = store.points[i];
        minEast = std::min(minEast, p.east);
        maxEast = std::max(maxEast, p.east);
        minNorth = std::min(minNorth, p.north);
        maxNorth = std::max(maxNorth, p.north);
    }
    store.dataCentre.centreEast = (maxEast + minEast) * 0.5f;
    store.dataCentre.centreNorth = (maxNorth + minNorth) * 0.5f;
}

}  // namespace

bool isEndMarker(std::string_view line) {
    return line.substr(0, kEndMarker.size()) == kEndMarker;
}

void loadSelectedContours() {
    ContourStore& store = contourStore();
    store.contourStoreValid = 1;
    if (!selectionChanged()) return;

    WaitCursor wait;
    store.contourPointCount = 0;
    resetDepthLevels();
    Rebuild rebuild;
    std::wstring path;

    HarbourList& harbours = harbourList();
    for (int i = 0; i < harbours.harbourCount; ++i) {
        HarbourRecord& record = harbours.records[i];
        record.loaded = record.selected;
        if (record.selected == 1 && harbourContourPath(path, record.region, record.name))
            loadContourFile(path, std::string(record.name) + ".con", rebuild);
    }
    for (ChartSeries series : {CHART_50K, CHART_200K}) {
        ChartList& list = chartList(series);
        for (int i = 0; i < list.count; ++i) {
            ChartRecord& record = list.records[i];
            record.loaded = record.selected;
            if (record.selected == 1 && chartContourPath(path, series, record.code))
                loadContourFile(path, record.code, rebuild);
        }
    }
    computeDataCentre();
    sortDepthLevels();
}

bool scanContourExtent(const std::wstring& path, bool stopAtEndMarker, double& originLat, double& originLon,
                       PlaneExtent& extent) {
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return false;
    LineReader reader(file.get());
    std::string_view line;
    bool first = true;
    while (reader.next(line)) {
        if (stopAtEndMarker && isEndMarker(line)) break;
        if (first) {
            parseContourDms(line, kLatColumn, originLat);
            parseContourDms(line, kLonColumn, originLon);
            first = false;
        }
        int remaining = columnInt(line, 10, 5);
        while (remaining > 0 && reader.next(line)) {
            for (std::size_t p = 0; p < kPointsPerLine && remaining > 0; ++p, --remaining) {
                const std::size_t at = p * kPointWidth;
                const double east = columnDouble(line, at, kCoordinateWidth);
                const double north = columnDouble(line, at + kCoordinateWidth, kCoordinateWidth);
                extent.minEast = std::min(extent.minEast, east);
                extent.maxEast = std::max(extent.maxEast, east);
                extent.minNorth = std::min(extent.minNorth, north);
                extent.maxNorth = std::max(extent.maxNorth, north);
            }
        }
    }
    return true;
}

void extentCorners(const PlaneExtent& extent, double originLat, double originLon, double& northLat, double& westLon,
                   double& southLat, double& eastLon) {
    fromPlaneRect(extent.maxNorth, extent.minEast, originLat, originLon, northLat, westLon);
    fromPlaneRect(extent.minNorth, extent.maxEast, originLat, originLon, southLat, eastLon);
}

}  // namespace vornel
