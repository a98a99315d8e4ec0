// otable.5 and otable.20 with the check of their chart folders. The first byte
// picks the series.
#include <cstring>

#include "bathymetry/chart_tables.h"
#include "fuzz_support.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    for (const char* name : {"6331_1", "6350_1", "6366_1", "63661"})
        fuzz::writeFile(std::string("Db01/5万分の1/") + name, "");
    for (const char* name : {"6366", "6377", "63777"}) fuzz::writeFile(std::string("Db01/20万分の1/") + name, "");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const ChartSeries series = (data[0] & 1) ? CHART_200K : CHART_50K;
    fuzz::writeFile(series == CHART_200K ? "Db01/otable.20" : "Db01/otable.5", data + 1, size - 1);
    loadChartTable(nullptr, series);

    const ChartList& list = chartList(series);
    if (list.count < 0 || list.count > list.capacity) __builtin_trap();
    for (int i = 0; i < list.count; ++i) {
        const ChartRecord& r = list.records[i];
        if (!std::memchr(r.code, 0, sizeof r.code) || !std::memchr(r.title, 0, sizeof r.title)) __builtin_trap();
        if (r.selected < 0 || r.selected >= 10) __builtin_trap();
    }
    return 0;
}
