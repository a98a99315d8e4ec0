#include "bathymetry/chart_tables.h"

#include <cstring>
#include <string>
#include <string_view>

#include "bathymetry/data_folder.h"
#include "bathymetry/fixed_columns.h"
#include "bathymetry/messages.h"
#include "platform/line_reader.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace vornel {

namespace txt = bathymetry_text;

namespace {

ChartRecord records50k[kChart50kCapacity];
ChartRecord records200k[kChart200kCapacity];
ChartList list50k{records50k, kChart50kCapacity, 0};
ChartList list200k{records200k, kChart200kCapacity, 0};

// What differs between the two series.
struct SeriesLayout {
    const char* tableFile;
    const char* folder;  // UTF-8
    const wchar_t* pattern;
    std::size_t codeWidth;
    std::size_t titleColumn;
    const char* dataCaption;
    const char* fileCaption;
};

constexpr std::size_t kTitleWidth = 30;

const SeriesLayout& layout(ChartSeries series) {
    static const SeriesLayout layouts[2] = {
        {"otable.5", "5万分の1", L"????_?", 9, 118, txt::kCaptionChart50kData, txt::kCaptionChart50kFile},
        {"otable.20", "20万分の1", L"????", 7, 116, txt::kCaptionChart200kData, txt::kCaptionChart200kFile},
    };
    return layouts[series == CHART_200K ? 1 : 0];
}

void removeChart(ChartList& list, int i) {
    std::memmove(&list.records[i], &list.records[i + 1],
                 sizeof(ChartRecord) * static_cast<std::size_t>(list.count - i - 1));
    --list.count;
}

}  // namespace

ChartList& chart50kList() {
    return list50k;
}
ChartList& chart200kList() {
    return list200k;
}
ChartList& chartList(ChartSeries series) {
    return series == CHART_200K ? list200k : list50k;
}

void resetChartLists() {
    for (ChartList* list : {&list50k, &list200k}) {
        std::memset(list->records, 0, sizeof(ChartRecord) * static_cast<std::size_t>(list->capacity));
        list->count = 0;
    }
}

const wchar_t* chartFolderName(ChartSeries series) {
    return series == CHART_200K ? L"20万分の1" : L"5万分の1";
}

bool chartContourPath(std::wstring& out, ChartSeries series, std::string_view ansiCode) {
    std::wstring folder;
    return dataFilePath(folder, chartFolderName(series)) && joinPath(out, folder, platform().fromCp932(ansiCode));
}

void loadChartTable(WindowRef owner, ChartSeries series) {
    ChartList& list = chartList(series);
    const SeriesLayout& lay = layout(series);
    list.count = 0;
    std::wstring path;
    if (dataFilePath(path, widen(lay.tableFile))) {
        ScopedFile file(platform().openFile(path, "rb"));
        LineReader reader(file.get());
        std::string_view line;
        while (file && reader.next(line)) {
            if (list.count >= list.capacity) {
                platform().warn(owner, widen(txt::kCaptionChartTable),
                                txt::chartOverCapacity(lay.tableFile, list.capacity));
                break;
            }
            ChartRecord& record = list.records[list.count++];
            std::memset(&record, 0, sizeof record);
            copyField(record.code, trimTrailing(column(line, 0, lay.codeWidth)));
            copyField(record.title, trimTrailing(column(line, lay.titleColumn, kTitleWidth)));
        }
    }
    checkChartFolder(owner, series);
}

void checkChartFolder(WindowRef owner, ChartSeries series) {
    ChartList& list = chartList(series);
    const SeriesLayout& lay = layout(series);
    std::wstring folder;
    if (dataFilePath(folder, chartFolderName(series))) {
        for (const DirEntry& entry : platform().listDirectory(folder, lay.pattern)) {
            if (entry.isDirectory) continue;
            const std::optional<std::string> exactName = exactCp932(entry.name);
            if (!exactName) {
                platform().warn(owner, widen(lay.dataCaption), txt::fileNameNotShiftJis(entry.name));
                continue;
            }
            const std::string& name = *exactName;
            int found = -1;
            for (int i = 0; i < list.count && found < 0; ++i)
                if (name == list.records[i].code) found = i;
            if (found >= 0) {
                list.records[found].selected += 10;
                continue;
            }
            // A name that does not fit the code field would load another file.
            if (name.size() >= sizeof(ChartRecord::code)) {
                platform().warn(owner, widen(lay.dataCaption), txt::fileNameTooLong(name));
                continue;
            }
            if (list.count >= list.capacity) {
                platform().warn(owner, widen(lay.dataCaption), txt::chartOverCapacity(name, list.capacity));
                break;
            }
            ChartRecord& record = list.records[list.count++];
            std::memset(&record, 0, sizeof record);
            copyField(record.code, name);
            copyField(record.title, name);
            record.selected = 10;
        }
    }
    for (int i = 0; i < list.count;) {
        ChartRecord& record = list.records[i];
        if (record.selected < 10) {
            platform().warn(owner, widen(lay.fileCaption), txt::chartFileMissing(record.code));
            removeChart(list, i);
            continue;
        }
        record.selected %= 10;
        ++i;
    }
}

}  // namespace vornel
