// The two chart series (1:50,000 and 1:200,000): their tables in the data
// folder and the check of each table against its chart folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace vornel {

enum ChartSeries { CHART_50K = 0, CHART_200K = 1 };

inline constexpr int kChart50kCapacity = 250;
inline constexpr int kChart200kCapacity = 100;

struct ChartRecord {
    char code[10];   // file name in the chart folder; its first four characters are the chart number
    char title[32];  // menu label and key of the chart index file
    // 1 when chosen as a data source; +10 during the folder check for a found file.
    std::int32_t selected;
    std::int32_t loaded;  // `selected` at the last rebuild of the contour store
    double originLat;
    double originLon;
    double northLat;
    double westLon;
    double southLat;
    double eastLon;
};

struct ChartList {
    ChartRecord* records;  // `capacity` entries for the whole run
    int capacity;
    int count;  // chart50kCount / chart200kCount
};

ChartList& chart50kList();
ChartList& chart200kList();
ChartList& chartList(ChartSeries series);
// Empties both lists and zeroes every record (tests).
void resetChartLists();

// Folder of the series' chart files under Db01 ("5万分の1", "20万分の1").
const wchar_t* chartFolderName(ChartSeries series);

// ProgramFolder\Db01\<chart folder>\code; false when the path is too long.
bool chartContourPath(std::wstring& out, ChartSeries series, std::string_view ansiCode);

// Reads otable.5 / otable.20 into the series' list and runs checkChartFolder.
void loadChartTable(WindowRef owner, ChartSeries series);
// Drops listed charts without a file and adds chart files the table lacks.
void checkChartFolder(WindowRef owner, ChartSeries series);

}  // namespace vornel
