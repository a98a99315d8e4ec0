// The harbour index kowan.grd, read against a fixed harbour list; entries it
// lacks are worked out from the contour files and the index is written anew.
#include "bathymetry/harbour_index.h"
#include "bathymetry/harbour_list.h"
#include "fuzz_support.h"
#include "platform/text.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    fuzz::writeFile("Db01/r/a.con", fuzz::sampleContourFile());
    fuzz::writeFile("Db01/r/b.con", fuzz::sampleContourFile());
    fuzz::writeFile("Db01/北海道/小樽.con", "");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile("Db01/kowan.grd", data, size);
    resetHarbourList();
    HarbourList& harbours = harbourList();
    const char* const names[][2] = {{"r", "a"}, {"r", "b"}, {"北海道", "小樽"}, {"r", "gone"}};
    for (const auto& n : names) {
        HarbourRecord& record = harbours.records[harbours.harbourCount++];
        record = HarbourRecord{};
        // The records hold 8-bit names, as the harbour list reads them.
        copyField(record.region, platform().toCp932(widen(n[0])));
        copyField(record.name, platform().toCp932(widen(n[1])));
    }
    loadHarbourIndex();
    return 0;
}
