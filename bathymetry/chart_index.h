// The chart index files otable5.grd and otable20.grd: each chart's origin and
// latitude/longitude extent, keyed by its title, so that the overview can
// frame the charts without reading their contour files at every start.
#pragma once

#include "bathymetry/chart_tables.h"

namespace vornel {

// Takes every chart's origin and extent from the series' index, works out the
// charts it lacks from their contour files, and writes the index anew when any
// had to be worked out. Runs once per series at start-up, after loadChartTable.
void loadChartIndex(ChartSeries series);

}  // namespace vornel
