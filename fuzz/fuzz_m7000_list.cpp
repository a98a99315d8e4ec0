// M7000.Lst and the search of the chosen M7000 folder for data sets.
#include <cstring>

#include "bathymetry/data_folder.h"
#include "bathymetry/m7000_list.h"
#include "bathymetry/m7000_search.h"
#include "fuzz_support.h"
#include "platform/text.h"
#include "shell/app_state.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::string& folder = fuzz::programFolder();
    for (const char* name : {"M7001.shp", "M7001.dbf", "M7002.txt", "M7003", "M7004.png", "X7005.txt"})
        fuzz::writeFile(std::string("M7000/") + name, "");
    dataFolders().m7000Folder = widen(folder + "/M7000");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile("Db01/M7000.Lst", data, size);
    findM7000DataSets(nullptr);

    const M7000SeriesList& series = m7000SeriesList();
    if (series.m7000SeriesCount < 0 || series.m7000SeriesCount > kM7000SeriesCapacity) __builtin_trap();
    for (int i = 0; i < series.m7000SeriesCount; ++i)
        if (!std::memchr(series.entries[i].name, 0, sizeof series.entries[i].name) ||
            !std::memchr(series.entries[i].title, 0, sizeof series.entries[i].title))
            __builtin_trap();
    const M7000DataSetList& sets = m7000DataSetList();
    if (sets.m7000DataSetCount < 0 || sets.m7000DataSetCount > kM7000DataSetCapacity) __builtin_trap();
    return 0;
}
