#include "bathymetry/m7000_levels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "bathymetry/contour_store.h"

namespace vornel {

namespace {

constexpr double kLevelTolerance = 0.01;
// Candidates are looked for within twice the tolerance: a level further away
// than that can never compare as within the tolerance (near each other the
// double subtraction is exact, and where the spacing of doubles is coarser
// than the band only equal values match).
constexpr double kSearchBand = 0.02;

struct LevelIndex {
    std::int32_t sorted[kDepthLevelCapacity];  // non-NaN levels by value, ties by index
    double sortedValue[kDepthLevelCapacity];   // their values, for searching without indirection
    int sortedCount = 0;
    int indexedCount = 0;  // levels of the store that the index mirrors
    bool lastValid = false;
    double lastDepth = 0.0;
    int lastLevel = -1;
};
LevelIndex idx;

double levelValue(int i) {
    return static_cast<double>(contourStore().depthLevelList[i]);
}

int lowerBound(double value) {
    return static_cast<int>(std::lower_bound(idx.sortedValue, idx.sortedValue + idx.sortedCount, value) -
                            idx.sortedValue);
}

// Another loader or a test may have changed the list since the last call.
void rebuildIndex() {
    const ContourStore& s = contourStore();
    idx.sortedCount = 0;
    for (int i = 0; i < s.depthLevelCount; ++i)
        if (!std::isnan(s.depthLevelList[i])) idx.sorted[idx.sortedCount++] = i;
    std::stable_sort(idx.sorted, idx.sorted + idx.sortedCount,
                     [](std::int32_t a, std::int32_t b) { return levelValue(a) < levelValue(b); });
    for (int k = 0; k < idx.sortedCount; ++k) idx.sortedValue[k] = levelValue(idx.sorted[k]);
    idx.indexedCount = s.depthLevelCount;
    idx.lastValid = false;
}

int search(double depth) {
    int best = -1;
    for (int k = lowerBound(depth - kSearchBand); k < idx.sortedCount; ++k) {
        const int i = idx.sorted[k];
        const double v = idx.sortedValue[k];
        if (v > depth + kSearchBand) break;
        if (std::fabs(v - depth) < kLevelTolerance && (best < 0 || i < best)) best = i;
    }
    return best;
}

void insertSorted(int level) {
    const double v = levelValue(level);
    if (std::isnan(v)) return;
    // After every equal value, so that equal values keep their list order.
    const int pos =
        static_cast<int>(std::upper_bound(idx.sortedValue, idx.sortedValue + idx.sortedCount, v) - idx.sortedValue);
    std::copy_backward(idx.sorted + pos, idx.sorted + idx.sortedCount, idx.sorted + idx.sortedCount + 1);
    std::copy_backward(idx.sortedValue + pos, idx.sortedValue + idx.sortedCount, idx.sortedValue + idx.sortedCount + 1);
    idx.sorted[pos] = level;
    idx.sortedValue[pos] = v;
    ++idx.sortedCount;
}

}  // namespace

void resetM7000Levels() {
    contourStore().depthLevelCount = 0;
    rebuildIndex();
}

int findM7000DepthLevel(double depth) {
    ContourStore& s = contourStore();
    if (idx.indexedCount != s.depthLevelCount) rebuildIndex();
    // Levels are only appended, so the first match of a depth never changes.
    // (NaN never equals itself and so is never taken from here.)
    if (idx.lastValid && depth == idx.lastDepth) return idx.lastLevel;
    int level = std::isnan(depth) ? -1 : search(depth);
    if (level < 0) {
        if (s.depthLevelCount >= kDepthLevelCapacity) return -1;
        level = s.depthLevelCount++;
        s.depthLevelList[level] = static_cast<float>(depth);
        idx.indexedCount = s.depthLevelCount;
        insertSorted(level);
        // A depth too large for float to hold within the tolerance does not
        // match its own level; it must not be answered from the cache either.
        if (!(std::fabs(levelValue(level) - depth) < kLevelTolerance)) {
            idx.lastValid = false;
            return level;
        }
    }
    idx.lastValid = true;
    idx.lastDepth = depth;
    idx.lastLevel = level;
    return level;
}

}  // namespace vornel
