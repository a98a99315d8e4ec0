// The XYZ side of openGrid: "x y z" a line, the nodes of a regular grid in
// rows of one y (or, sorted the other way, of one x), either way up, with
// points left out where there is no data (a sea-only export): missing lattice
// points read as NODATA, as GDAL reads them. The file is read twice: once to
// find the lattice (extent, steps, which coordinate the rows run along), then
// row by row.
#pragma once

#include <cstdio>
#include <memory>

#include "grid_reader.h"

namespace gridcontour {

// `start` is the offset of the text in `file` (after a UTF-8 mark).
std::unique_ptr<GridReader> openXyzGrid(std::FILE* file, long start, const GridOptions& options);

}  // namespace gridcontour
