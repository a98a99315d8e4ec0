// parameter.lst, the spreading relations.
#include <cstring>

#include "bathymetry/spreading_relations.h"
#include "fuzz_support.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile("parameter.lst", data, size);
    loadSpreadingRelations(nullptr);
    const SpreadingRelationList& list = spreadingRelations();
    if (list.relationCount < 0 || list.relationCount > kMaxSpreadingRelations) __builtin_trap();
    for (int i = 0; i < list.relationCount; ++i) {
        const SpreadingRelation& r = list.relations[i];
        if (!std::memchr(r.name, 0, sizeof r.name)) __builtin_trap();
        if (r.rowCount < 0 || r.rowCount > kMaxSectorRows) __builtin_trap();
        for (int k = 0; k < r.rowCount; ++k)
            if (!std::memchr(r.rows[k].label, 0, sizeof r.rows[k].label)) __builtin_trap();
    }
    return 0;
}
