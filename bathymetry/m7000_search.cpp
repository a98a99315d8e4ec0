#include "bathymetry/m7000_search.h"

#include <cstring>
#include <string>

#include "bathymetry/data_folder.h"
#include "bathymetry/fixed_columns.h"
#include "bathymetry/m7000_list.h"
#include "bathymetry/m7000_messages.h"
#include "bathymetry/messages.h"
#include "platform/line_reader.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace vornel {

namespace {

bool endsWith(std::string_view name, std::string_view ending) {
    return name.size() > ending.size() && name.substr(name.size() - ending.size()) == ending;
}

// DDMMSS (width 2) or DDDMMSS (width 3): the parts sit at fixed positions; a
// shorter token gives 0 for the parts it lacks.
double fixedDms(std::string_view token, std::size_t degreeWidth) {
    const int degrees = parseInt(column(token, 0, degreeWidth));
    const int minutes = parseInt(column(token, degreeWidth, 2));
    const int seconds = parseInt(column(token, degreeWidth + 2, 2));
    return degrees + minutes / 60.0 + seconds / 3600.0;
}

void readSeriesList(WindowRef owner) {
    M7000SeriesList& list = m7000SeriesList();
    list.m7000SeriesCount = 0;
    std::wstring path;
    if (!dataFilePath(path, L"M7000.Lst")) return;
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return;
    LineReader reader(file.get());
    std::string_view line;
    while (reader.next(line)) {
        TokenCursor tokens(line);
        std::string_view token;
        for (int position = 1; tokens.next(token); ++position) {
            if (list.m7000SeriesCount >= kM7000SeriesCapacity) {
                platform().warn(owner, widen(m7000_text::kCaptionSeriesList),
                                m7000_text::seriesListFull(kM7000SeriesCapacity));
                return;
            }
            M7000SeriesEntry& entry = list.entries[list.m7000SeriesCount];
            switch (position) {
                case 1:
                    copyField(entry.name, token);
                    break;
                case 2:
                    copyField(entry.title, token);
                    break;
                case 3:
                    entry.originLat = fixedDms(token, 2);
                    break;
                case 4:
                    entry.originLon = fixedDms(token, 3);
                    ++list.m7000SeriesCount;
                    break;
                default:
                    break;  // further tokens are remarks
            }
        }
    }
}

// Appends a data set (the caller checked the capacity).
void addDataSet(const std::string& name) {
    M7000DataSetList& list = m7000DataSetList();
    M7000DataSet& set = list.dataSets[list.m7000DataSetCount++];
    std::memset(&set, 0, sizeof set);
    copyField(set.fileName, name);
    copyField(set.code, std::string_view(name).substr(0, 5));
    const M7000SeriesList& series = m7000SeriesList();
    for (int i = 0; i < series.m7000SeriesCount; ++i) {
        if (std::string_view(series.entries[i].name) == set.code) {
            set.originLat = series.entries[i].originLat;
            set.originLon = series.entries[i].originLon;
            break;
        }
    }
}

// A shapefile without its table has no depths: such data sets are left out.
bool hasTable(const std::wstring& folder, std::string_view shpName) {
    std::string dbf(shpName.substr(0, shpName.size() - 4));
    dbf += ".dbf";
    std::wstring path;
    return joinPath(path, folder, platform().fromCp932(dbf)) && platform().fileExists(path);
}

void searchFolder(WindowRef owner) {
    M7000DataSetList& list = m7000DataSetList();
    list.m7000DataSetCount = 0;
    const std::wstring& folder = dataFolders().m7000Folder;
    // No folder chosen yet: there is nothing to search (not the drive's root).
    if (folder.empty()) return;
    for (const DirEntry& entry : platform().listDirectory(folder, L"M7*")) {
        if (entry.isDirectory) continue;
        const std::optional<std::string> exactName = exactCp932(entry.name);
        if (!exactName) {
            // The list and M7000.grd hold 8-bit names: such a data set could not be reopened.
            if (isM7000DataFileName(platform().toCp932(entry.name)))
                platform().warn(owner, widen(m7000_text::kCaptionSearch),
                                bathymetry_text::fileNameNotShiftJis(entry.name));
            continue;
        }
        const std::string& name = *exactName;
        if (!isM7000DataFileName(name)) continue;
        // A name that does not fit the record or the path buffer could not be opened.
        std::wstring path;
        if (name.size() >= sizeof(M7000DataSet::fileName) || !joinPath(path, folder, entry.name)) continue;
        if (list.m7000DataSetCount >= kM7000DataSetCapacity) {
            platform().warn(owner, widen(m7000_text::kCaptionSearch),
                            m7000_text::dataSetListFull(kM7000DataSetCapacity));
            break;
        }
        addDataSet(name);
    }
    int kept = 0;
    for (int i = 0; i < list.m7000DataSetCount; ++i) {
        const M7000DataSet& set = list.dataSets[i];
        if (isM7000ShapefileName(set.fileName) && !hasTable(folder, set.fileName)) continue;
        if (kept != i) list.dataSets[kept] = set;
        ++kept;
    }
    list.m7000DataSetCount = kept;
}

}  // namespace

bool isM7000DataFileName(std::string_view name) {
    // The platform's "M7*" matches without regard to case.
    if (name.size() < 5 || (name[0] != 'M' && name[0] != 'm') || name[1] != '7') return false;
    for (std::size_t i = 1; i <= 4; ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    for (std::string_view ending : {".dbf", ".shx", ".prj", ".png", ".jpg"})
        if (endsWith(name, ending)) return false;
    return true;
}

bool isM7000ShapefileName(std::string_view name) {
    return endsWith(name, ".shp");
}

void findM7000DataSets(WindowRef owner) {
    readSeriesList(owner);
    searchFolder(owner);
}

}  // namespace vornel
