// An M7000 text data set. The first byte picks whether the volume's origin is
// known or the mean of the points is used.
#include "bathymetry/contour_store.h"
#include "bathymetry/m7000_text.h"
#include "fuzz_support.h"
#include "platform/text.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool origin = data[0] & 1;
    fuzz::writeFile("M7000/M7002.txt", data + 1, size - 1);
    loadM7000Text(nullptr, widen(fuzz::programFolder() + "/M7000/M7002.txt"), origin ? 44.0 : 0.0,
                  origin ? 142.25 : 0.0);
    const ContourStore& store = contourStore();
    if (store.contourPointCount < 0 || store.contourPointCount > kContourStoreCapacity) __builtin_trap();
    for (int i = 0; i < store.contourPointCount; ++i)
        if (store.points[i].level < 0 || store.points[i].level >= store.depthLevelCount) __builtin_trap();
    return 0;
}
