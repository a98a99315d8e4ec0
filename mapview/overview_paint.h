// The overview of Japan: coastline and the extents of the data entries.
#pragma once

#include "mapview/canvas.h"
#include "mapview/map_state.h"

namespace vornel {

// The extent of a data entry in degrees, with its menu selection.
struct EntryExtent {
    double northLat = 0.0;
    double westLon = 0.0;
    double southLat = 0.0;
    double eastLon = 0.0;
    int selected = 0;
};

// Entries of data source `kind` (0 harbours, 1 1:50,000, 2 1:200,000, 3 M7000).
int overviewEntryCount(int kind);
// False for an unknown kind or an index beyond the list.
bool overviewEntry(int kind, int index, EntryExtent& out);

// The outline of an entry's extent on the overview in `view`, with the current pen.
void drawEntryExtent(Canvas& canvas, const MapView& view, const EntryExtent& extent, int width, int height);

// The coastline, then the extents of every data source that `map` shows.
void drawOverview(Canvas& canvas, const MapState& map, int width, int height);

}  // namespace vornel
