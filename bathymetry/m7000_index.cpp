#include "bathymetry/m7000_index.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/fixed_columns.h"
#include "bathymetry/index_file.h"
#include "bathymetry/m7000_points.h"
#include "bathymetry/m7000_search.h"
#include "bathymetry/m7000_shapefile.h"
#include "bathymetry/m7000_text.h"
#include "platform/line_reader.h"
#include "platform/paths.h"

namespace vornel {

namespace {

// A value this close to 0 means "not worked out yet".
constexpr double kUnset = 0.1;

void readIndex(const std::wstring& path) {
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return;
    M7000DataSetList& list = m7000DataSetList();
    LineReader reader(file.get());
    std::string_view line;
    while (reader.next(line)) {
        TokenCursor tokens(line);
        std::string_view key;
        if (!tokens.next(key)) continue;
        M7000DataSet* set = nullptr;
        for (int i = 0; i < list.m7000DataSetCount && !set; ++i)
            if (key == list.dataSets[i].code) set = &list.dataSets[i];
        if (!set) continue;
        // A line cut short fills only its leading fields; the rest keep their values.
        double* fields[] = {&set->northLat, &set->westLon,   &set->southLat,
                            &set->eastLon,  &set->originLat, &set->originLon};
        std::string_view token;
        for (double* field : fields) {
            if (!tokens.next(token)) break;
            *field = parseDouble(token);
        }
    }
}

void writeIndex(const std::wstring& path, const std::vector<bool>& unreadable) {
    const M7000DataSetList& list = m7000DataSetList();
    IndexFileWriter writer(path);
    for (int i = 0; i < list.m7000DataSetCount; ++i) {
        const M7000DataSet& s = list.dataSets[i];
        if (unreadable[i] || !(s.originLon > kUnset)) continue;
        writer.line("%s,%10.8lf,%10.8lf,%10.8lf,%10.8lf,%10.8lf,%10.8lf\r\n", s.code, s.northLat, s.westLon, s.southLat,
                    s.eastLon, s.originLat, s.originLon);
    }
    // A failed write keeps the old index; the data sets are measured again next time.
    writer.commit();
}

}  // namespace

bool openM7000DataSet(WindowRef owner, const M7000DataSet& set) {
    WaitCursor wait;
    std::wstring path;
    if (!joinPath(path, dataFolders().m7000Folder, platform().fromCp932(set.fileName))) {
        abandonM7000Load();
        return false;
    }
    if (isM7000ShapefileName(set.fileName)) {
        const std::wstring table = path.substr(0, path.size() - 4) + L".dbf";
        return loadM7000Shapefile(owner, path, table, set.originLat, set.originLon);
    }
    return loadM7000Text(owner, path, set.originLat, set.originLon);
}

void loadM7000Index(WindowRef owner) {
    WaitCursor wait;
    M7000DataSetList& list = m7000DataSetList();
    std::wstring path;
    const bool havePath = dataFilePath(path, L"M7000.grd");
    if (havePath) readIndex(path);

    std::vector<bool> unreadable(list.m7000DataSetCount, false);
    bool rewrite = false;
    for (int i = 0; i < list.m7000DataSetCount; ++i) {
        M7000DataSet& set = list.dataSets[i];
        if (!(std::fabs(set.eastLon) < kUnset || std::fabs(set.originLon) < kUnset)) continue;
        rewrite = true;
        if (!openM7000DataSet(owner, set)) {
            // Nothing was measured: the data set keeps what it had and stays
            // out of the index, so that it is measured again next time rather
            // than cached with the origin of whatever was loaded before.
            unreadable[i] = true;
            continue;
        }
        const M7000Extent& extent = m7000Extent();
        set.northLat = extent.northLat;
        set.westLon = extent.westLon;
        set.southLat = extent.southLat;
        set.eastLon = extent.eastLon;
        if (std::fabs(set.originLon) < kUnset) {
            const ProjectionOrigin& origin = contourStore().projectionOrigin;
            set.originLat = origin.originLat;
            set.originLon = origin.originLon;
        }
    }
    if (rewrite && havePath) writeIndex(path, unreadable);
}

}  // namespace vornel
