// TEMPORARY — remove at merge. Declarations of the M7000 loaders that are
// being written on another branch (they will live in bathymetry/m7000_index.h
// and bathymetry/m7000_shapefile.h). Include those headers instead then.
#pragma once

#include "bathymetry/m7000_list.h"
#include "platform/platform.h"

namespace vornel {

void findM7000DataSets(WindowRef owner);
void loadM7000Index(WindowRef owner);
int openM7000DataSet(WindowRef owner, const M7000DataSet& set);
void closeDepthTableCache();

}  // namespace vornel
