#include "bathymetry/harbour_index.h"

#include <cmath>
#include <string>
#include <string_view>

#include "bathymetry/contour_files.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/fixed_columns.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/index_file.h"
#include "platform/line_reader.h"
#include "platform/platform.h"

namespace vornel {

namespace {

// An origin longitude this close to 0 means "not worked out yet": Japan lies far from it.
constexpr double kUnsetLongitude = 0.1;

void readIndex(const std::wstring& path) {
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return;
    HarbourList& harbours = harbourList();
    LineReader reader(file.get());
    std::string_view line;
    while (reader.next(line)) {
        // Every entry is written with its line end. A piece without one is a last
        // line cut off (a copy or a disk that lost the tail), whose numbers may be
        // shortened, or the head of a line longer than any entry.
        if (line.back() != '\n') continue;
        TokenCursor tokens(line);
        std::string_view region, name;
        tokens.next(region);
        tokens.next(name);
        HarbourRecord* record = nullptr;
        for (int i = 0; i < harbours.harbourCount && !record; ++i)
            if (name == harbours.records[i].name && region == harbours.records[i].region) record = &harbours.records[i];
        if (!record) continue;
        // A line cut short leaves originLon 0, so the harbour is worked out again.
        record->originLon = 0.0;
        double* fields[] = {&record->northLat, &record->westLon,   &record->southLat,
                            &record->eastLon,  &record->originLat, &record->originLon};
        std::string_view token;
        for (double* field : fields) {
            if (!tokens.next(token)) break;
            *field = parseDouble(token);
        }
    }
}

void workOutExtent(HarbourRecord& record) {
    std::wstring path;
    if (!harbourContourPath(path, record.region, record.name)) return;
    PlaneExtent extent;
    if (!scanContourExtent(path, false, record.originLat, record.originLon, extent)) return;
    extentCorners(extent, record.originLat, record.originLon, record.northLat, record.westLon, record.southLat,
                  record.eastLon);
}

void writeIndex(const std::wstring& path) {
    const HarbourList& harbours = harbourList();
    IndexFileWriter writer(path);
    for (int i = 0; i < harbours.harbourCount; ++i) {
        const HarbourRecord& r = harbours.records[i];
        if (!(std::fabs(r.originLon) > kUnsetLongitude)) continue;
        writer.line("%s,%s,%10.8lf,%10.8lf,%10.8lf,%10.8lf,%10.8lf,%10.8lf\r\n", r.region, r.name, r.northLat,
                    r.westLon, r.southLat, r.eastLon, r.originLat, r.originLon);
    }
    // A failed write keeps the old index; the missing entries are worked out again next time.
    writer.commit();
}

}  // namespace

void loadHarbourIndex() {
    std::wstring path;
    if (!dataFilePath(path, L"kowan.grd")) return;
    readIndex(path);
    HarbourList& harbours = harbourList();
    bool rewrite = false;
    for (int i = 0; i < harbours.harbourCount; ++i) {
        HarbourRecord& record = harbours.records[i];
        if (std::fabs(record.eastLon) < kUnsetLongitude || std::fabs(record.originLon) < kUnsetLongitude) {
            rewrite = true;
            workOutExtent(record);
        }
    }
    if (rewrite) writeIndex(path);
}

}  // namespace vornel
