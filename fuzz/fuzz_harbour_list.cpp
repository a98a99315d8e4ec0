// kowan.lst and the check of the region folders against it.
#include <cstring>

#include "bathymetry/harbour_list.h"
#include "fuzz_support.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    // Folders the scan meets: listed and unlisted harbours, a region and a
    // file name too long for the records.
    fuzz::writeFile("Db01/北海道/小樽.con", fuzz::sampleContourFile());
    fuzz::writeFile("Db01/北海道/苫小牧.con", "");
    fuzz::writeFile("Db01/九州/博多.con", "");
    fuzz::writeFile("Db01/r/a.con", "");
    fuzz::writeFile("Db01/r/abcdefghijklmnopqrstuvwxyz0123456789.con", "");
    fuzz::writeFile("Db01/region_name_longer_than_the_record_field/x.con", "");
    fuzz::makeFolder("Db01/empty");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile("Db01/kowan.lst", data, size);
    loadHarbourList(nullptr);

    const HarbourList& harbours = harbourList();
    if (harbours.harbourCount < 0 || harbours.harbourCount > kHarbourCapacity) __builtin_trap();
    for (int i = 0; i < harbours.harbourCount; ++i) {
        const HarbourRecord& r = harbours.records[i];
        if (!std::memchr(r.name, 0, sizeof r.name) || !std::memchr(r.region, 0, sizeof r.region)) __builtin_trap();
        if (r.selected < 0 || r.selected >= 10) __builtin_trap();
    }
    if (regionList().regionCount < 0 || regionList().regionCount > kRegionCapacity) __builtin_trap();
    return 0;
}
