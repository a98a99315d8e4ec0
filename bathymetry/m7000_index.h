// The M7000 index file Db01\M7000.grd (each data set's extent and origin,
// keyed by its code) and the loading of one data set.
#pragma once

#include "bathymetry/m7000_list.h"
#include "platform/platform.h"

namespace vornel {

// Gives every data set of the list its extent and origin from M7000.grd,
// loads each data set the index lacks to measure it, and writes the index anew
// (only when complete) when any was measured. Afterwards the contour store
// holds the last data set loaded.
void loadM7000Index(WindowRef owner);

// Loads `set` from M7000Folder into the contour store, through the shapefile
// loader for a ".shp" name and the text loader otherwise. False when its file
// could not be opened (the store is then empty).
bool openM7000DataSet(WindowRef owner, const M7000DataSet& set);

}  // namespace vornel
