// The empirical relations for the directional spreading parameter Smax, read
// once at start from parameter.lst in the program folder: per relation, for
// each of 16 direction sectors, Smax = slope * ln(x) + intercept.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace vornel {

inline constexpr int kMaxSpreadingRelations = 20;
inline constexpr int kMaxSectorRows = 16;

struct SectorRow {
    char label[6];  // at most 5 bytes of the sector's label
    double slope;
    double intercept;
};

struct SpreadingRelation {
    char name[256];
    std::int32_t rowCount;
    SectorRow rows[kMaxSectorRows];  // row k serves direction sector k
};

struct SpreadingRelationList {
    SpreadingRelation relations[kMaxSpreadingRelations];  // in order of first appearance
    int relationCount;
};

SpreadingRelationList& spreadingRelations();

// Empties the list (every row zero) and reads ProgramFolder\parameter.lst.
// A missing file leaves the list empty without a message; names or rows
// beyond the capacities are left out with one warning each, owned by `owner`.
void loadSpreadingRelations(WindowRef owner);

}  // namespace vornel
