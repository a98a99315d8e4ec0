// A contour file read three ways: into the contour store, and for its extent
// by the harbour index (end marker read as points) and the chart index (reading
// stops at the end marker).
#include <unistd.h>

#include <cmath>

#include "bathymetry/chart_index.h"
#include "bathymetry/chart_tables.h"
#include "bathymetry/contour_files.h"
#include "bathymetry/contour_store.h"
#include "bathymetry/harbour_index.h"
#include "bathymetry/harbour_list.h"
#include "fuzz_support.h"
#include "platform/text.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::string& folder = fuzz::programFolder();
    fuzz::writeFile("Db01/r/a.con", "");
    fuzz::makeFolder("Db01/5万分の1");
    // The chart is the same file as the harbour's, so one write feeds both readers.
    if (symlink((folder + "/Db01/r/a.con").c_str(), (folder + "/Db01/5万分の1/6331_1").c_str()) != 0) __builtin_trap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile("Db01/r/a.con", data, size);
    fuzz::removeFile("Db01/kowan.grd");
    fuzz::removeFile("Db01/otable5.grd");

    resetHarbourList();
    resetContourStore();
    HarbourRecord& harbour = harbourList().records[harbourList().harbourCount++];
    harbour = HarbourRecord{};
    copyField(harbour.name, "a");
    copyField(harbour.region, "r");
    harbour.selected = 1;

    ChartList& charts = chartList(CHART_50K);
    charts.count = 1;
    charts.records[0] = ChartRecord{};
    copyField(charts.records[0].code, "6331_1");
    copyField(charts.records[0].title, "Chart");
    chartList(CHART_200K).count = 0;

    loadSelectedContours();
    const ContourStore& store = contourStore();
    if (store.contourPointCount < 0 || store.contourPointCount > kContourStoreCapacity) __builtin_trap();
    if (store.depthLevelCount < 0 || store.depthLevelCount > kDepthLevelCapacity) __builtin_trap();
    for (int i = 0; i < store.contourPointCount; ++i) {
        const ContourPoint& p = store.points[i];
        if (p.level < 0 || p.level >= store.depthLevelCount) __builtin_trap();
        if (store.depthLevelList[p.level] != p.depth && !std::isnan(p.depth) &&
            !(std::fabs(store.depthLevelList[p.level] - p.depth) < 0.01))
            __builtin_trap();
    }
    for (int k = 0; k < store.depthLevelCount; ++k)
        if (store.depthLevelOrder[k] < 0 || store.depthLevelOrder[k] >= store.depthLevelCount) __builtin_trap();

    loadHarbourIndex();
    loadChartIndex(CHART_50K);
    return 0;
}
