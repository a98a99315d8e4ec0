// japan.llm, the coastline of the overview map.
#include "bathymetry/coastline.h"
#include "fuzz_support.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile("japan.llm", data, size);
    loadCoastline();
    const int n = coastline().coastlinePointCount;
    if (n < 0 || n > kCoastlineCapacity) __builtin_trap();
    return 0;
}
