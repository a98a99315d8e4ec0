// The chart index files otable5.grd and otable20.grd, read against fixed chart
// lists; the first byte picks the series.
#include "bathymetry/chart_index.h"
#include "bathymetry/chart_tables.h"
#include "fuzz_support.h"
#include "platform/text.h"

using namespace vornel;

namespace {

void fill(ChartSeries series, std::initializer_list<std::pair<const char*, const char*>> charts) {
    ChartList& list = chartList(series);
    list.count = 0;
    for (const auto& [code, title] : charts) {
        ChartRecord& record = list.records[list.count++];
        record = ChartRecord{};
        copyField(record.code, code);
        copyField(record.title, title);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    fuzz::writeFile("Db01/5万分の1/6331_1", fuzz::sampleContourFile());
    fuzz::writeFile("Db01/5万分の1/6350_1", "");
    fuzz::writeFile("Db01/20万分の1/6366", fuzz::sampleContourFile());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const ChartSeries series = (data[0] & 1) ? CHART_200K : CHART_50K;
    fuzz::writeFile(series == CHART_200K ? "Db01/otable20.grd" : "Db01/otable5.grd", data + 1, size - 1);
    if (series == CHART_50K)
        fill(series, {{"6331_1", "Niigata"}, {"6350_1", "Tomakomai"}, {"6384_1", "Missing"}});
    else
        fill(series, {{"6366", "6366"}, {"6377", "Sendai"}});
    loadChartIndex(series);
    return 0;
}
