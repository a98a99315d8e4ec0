// An M7000 shapefile data set: the main file and its dBASE table. The first
// two bytes (little-endian) give the length of the main file's part of the
// input; the rest is the table.
#include "bathymetry/contour_store.h"
#include "bathymetry/m7000_depth_table.h"
#include "bathymetry/m7000_shapefile.h"
#include "fuzz_support.h"
#include "platform/text.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    std::size_t shpBytes = data[0] | (std::size_t{data[1]} << 8);
    data += 2;
    size -= 2;
    if (shpBytes > size) shpBytes = size;
    fuzz::writeFile("M7000/M7001.shp", data, shpBytes);
    fuzz::writeFile("M7000/M7001.dbf", data + shpBytes, size - shpBytes);
    // The table cache keeps the old table open; this input is another file.
    closeDepthTableCache();

    const std::wstring folder = widen(fuzz::programFolder() + "/M7000/");
    loadM7000Shapefile(nullptr, folder + L"M7001.shp", folder + L"M7001.dbf", 35.0, 139.0);
    const ContourStore& store = contourStore();
    if (store.contourPointCount < 0 || store.contourPointCount > kContourStoreCapacity) __builtin_trap();
    for (int i = 0; i < store.contourPointCount; ++i)
        if (store.points[i].level < 0 || store.points[i].level >= store.depthLevelCount) __builtin_trap();
    return 0;
}
