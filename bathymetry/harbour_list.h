// The harbours of the data folder and the regions of the harbour menu.
//
// Built once at start-up from Db01\kowan.lst and the region folders under Db01.
// A record's index is the harbour's identity for the rest of the run.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace vornel {

inline constexpr int kHarbourCapacity = 200;
inline constexpr int kRegionCapacity = 20;

struct HarbourRecord {
    char name[32];    // 8-bit; also the base name of the contour file
    char region[32];  // name of the folder under Db01 that holds the file
    // 1 when chosen for display; during the folder check a found-file counter
    // (+10 per file found).
    std::int32_t selected;
    std::int32_t loaded;  // `selected` at the last rebuild of the contour store
    double originLat;
    double originLon;
    double northLat;
    double westLon;
    double southLat;
    double eastLon;
};

struct HarbourList {
    HarbourRecord records[kHarbourCapacity];
    int harbourCount;
};

struct RegionList {
    char names[kRegionCapacity][32];  // unique, compared byte for byte
    int regionCount;
};

HarbourList& harbourList();
RegionList& regionList();
// Empties both lists (tests).
void resetHarbourList();

// Reads kowan.lst, checks it against the region folders and completes the
// region list. Message boxes are owned by `owner`.
void loadHarbourList(WindowRef owner);
// The folder check of loadHarbourList; returns 1.
int scanRegionFolders(WindowRef owner);

}  // namespace vornel
