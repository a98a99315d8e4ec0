#include "bathymetry/contour_store.h"

namespace vornel {

namespace {
// Zero-filled at load; the pages are only touched as points are stored.
ContourPoint pointTable[kContourStoreCapacity];
ContourStore store{pointTable, 0, {}, 0, {}, 1, {}, {}};
}  // namespace

ContourStore& contourStore() { return store; }

void resetContourStore() {
    store.contourPointCount = 0;
    store.depthLevelCount = 0;
    store.contourStoreValid = 1;
    store.projectionOrigin = {};
    store.dataCentre = {};
}

}  // namespace vornel
