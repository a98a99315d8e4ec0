// The M7000 series list (Db01\M7000.Lst: each volume's origin) and the search
// of the chosen M7000 folder for data files.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace vornel {

// Reads M7000.Lst into the series list, then lists the data files of
// M7000Folder into the data-set list, each with the origin of its volume when
// the series list has one. With no folder chosen the list stays empty.
void findM7000DataSets(WindowRef owner);

// The folder search's rule for a data file name (8-bit): "M7" and three
// digits, and not one of the companion files (.dbf .shx .prj .png .jpg).
bool isM7000DataFileName(std::string_view name);

// True for a name ending in ".shp" (case-sensitive): a shapefile data set.
bool isM7000ShapefileName(std::string_view name);

}  // namespace vornel
