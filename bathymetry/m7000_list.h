// The M7000 series list and the data sets found in the chosen M7000 folder.
#pragma once

#include <cstdint>

namespace vornel {

inline constexpr int kM7000SeriesCapacity = 100;
inline constexpr int kM7000DataSetCapacity = 100;

struct M7000SeriesEntry {
    char name[12];    // volume code, matched against the first five characters of file names
    char title[256];  // descriptive name, kept but not used
    double originLat;
    double originLon;
};

struct M7000SeriesList {
    M7000SeriesEntry entries[kM7000SeriesCapacity];
    int m7000SeriesCount;
};

struct M7000DataSet {
    char fileName[256];  // name within M7000Folder
    char code[32];       // first five characters of fileName; key of M7000.grd
    std::int32_t selected;
    std::int32_t loaded;
    double originLat;
    double originLon;
    double northLat;
    double westLon;
    double southLat;
    double eastLon;
};

struct M7000DataSetList {
    M7000DataSet dataSets[kM7000DataSetCapacity];
    int m7000DataSetCount;
};

M7000SeriesList& m7000SeriesList();
M7000DataSetList& m7000DataSetList();
void resetM7000Lists();

}  // namespace vornel
