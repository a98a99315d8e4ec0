#include "bathymetry/chart_index.h"

#include <cmath>
#include <string>
#include <string_view>

#include "bathymetry/contour_files.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/fixed_columns.h"
#include "bathymetry/index_file.h"
#include "platform/line_reader.h"
#include "platform/platform.h"

namespace vornel {

namespace {

// An origin longitude this close to 0 means "not worked out yet".
constexpr double kUnsetLongitude = 0.1;

const wchar_t* indexFileName(ChartSeries series) {
    return series == CHART_200K ? L"otable20.grd" : L"otable5.grd";
}

void readIndex(const std::wstring& path, ChartList& list) {
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return;
    LineReader reader(file.get());
    std::string_view line;
    while (reader.next(line)) {
        // Every entry is written with its line end. A piece without one is a last
        // line cut off (a copy or a disk that lost the tail), whose numbers may be
        // shortened, or the head of a line longer than any entry.
        if (line.back() != '\n') continue;
        TokenCursor tokens(line);
        std::string_view key;
        if (!tokens.next(key)) continue;
        ChartRecord* record = nullptr;
        for (int i = 0; i < list.count && !record; ++i)
            if (key == list.records[i].title) record = &list.records[i];
        if (!record) continue;
        // A line cut short fills only its leading fields; originLon stays 0.
        double* fields[] = {&record->northLat, &record->westLon,   &record->southLat,
                            &record->eastLon,  &record->originLat, &record->originLon};
        std::string_view token;
        for (double* field : fields) {
            if (!tokens.next(token)) break;
            *field = parseDouble(token);
        }
    }
}

void workOutExtent(ChartSeries series, ChartRecord& record) {
    std::wstring path;
    if (!chartContourPath(path, series, record.code)) return;
    PlaneExtent extent;
    if (!scanContourExtent(path, true, record.originLat, record.originLon, extent)) return;
    extentCorners(extent, record.originLat, record.originLon, record.northLat, record.westLon, record.southLat,
                  record.eastLon);
}

void writeIndex(const std::wstring& path, const ChartList& list) {
    IndexFileWriter writer(path);
    for (int i = 0; i < list.count; ++i) {
        const ChartRecord& r = list.records[i];
        if (!(std::fabs(r.originLon) > kUnsetLongitude)) continue;
        writer.line("%s,%10.8lf,%10.8lf,%10.8lf,%10.8lf,%10.8lf,%10.8lf\r\n", r.title, r.northLat, r.westLon,
                    r.southLat, r.eastLon, r.originLat, r.originLon);
    }
    // A failed write keeps the old index; the charts are worked out again next time.
    writer.commit();
}

}  // namespace

void loadChartIndex(ChartSeries series) {
    ChartList& list = chartList(series);
    for (int i = 0; i < list.count; ++i) list.records[i].originLon = 0.0;
    std::wstring path;
    if (!dataFilePath(path, indexFileName(series))) return;
    readIndex(path, list);
    bool rewrite = false;
    for (int i = 0; i < list.count; ++i) {
        ChartRecord& record = list.records[i];
        if (std::fabs(record.originLon) < kUnsetLongitude) {
            rewrite = true;
            workOutExtent(series, record);
        }
    }
    if (rewrite) writeIndex(path, list);
}

}  // namespace vornel
