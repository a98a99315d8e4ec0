#include "bathymetry/depth_levels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "bathymetry/contour_store.h"

namespace vornel {

namespace {

// Two depths share a level when their float difference is below this.
constexpr double kLevelTolerance = 0.01;
// Candidates are looked for within a wider band: the rounded float difference
// of two depths further apart than this is never below the tolerance.
constexpr double kSearchBand = 0.02;

// Indices of the non-NaN levels, sorted by value (ties by index). It mirrors
// the first `indexedCount` levels of the store; a store changed behind our
// back (another loader, a test) is noticed by its count and indexed anew.
struct LevelIndex {
    std::int32_t sorted[kDepthLevelCapacity];
    int sortedCount = 0;
    int indexedCount = 0;
    bool cacheValid = false;
    float lastDepth = 0.0f;
    int lastLevel = -1;
};
LevelIndex idx;

bool matches(float level, float depth) {
    return std::fabs(level - depth) < kLevelTolerance;
}

void rebuildIndex() {
    const ContourStore& s = contourStore();
    idx.sortedCount = 0;
    for (int i = 0; i < s.depthLevelCount; ++i)
        if (!std::isnan(s.depthLevelList[i])) idx.sorted[idx.sortedCount++] = i;
    std::stable_sort(idx.sorted, idx.sorted + idx.sortedCount,
                     [&](std::int32_t a, std::int32_t b) { return s.depthLevelList[a] < s.depthLevelList[b]; });
    idx.indexedCount = s.depthLevelCount;
    idx.cacheValid = false;
}

// First position in the sorted index whose value is not below `value`.
int lowerBound(double value) {
    const float* levels = contourStore().depthLevelList;
    return static_cast<int>(std::lower_bound(idx.sorted, idx.sorted + idx.sortedCount, value,
                                             [&](std::int32_t i, double v) { return levels[i] < v; }) -
                            idx.sorted);
}

int searchLevel(float depth) {
    if (std::isnan(depth)) return -1;  // NaN is within no tolerance of anything
    const float* levels = contourStore().depthLevelList;
    int best = -1;
    for (int k = lowerBound(static_cast<double>(depth) - kSearchBand);
         k < idx.sortedCount && levels[idx.sorted[k]] <= static_cast<double>(depth) + kSearchBand; ++k) {
        const int i = idx.sorted[k];
        if (matches(levels[i], depth) && (best < 0 || i < best)) best = i;
    }
    return best;
}

}  // namespace

void resetDepthLevels() {
    contourStore().depthLevelCount = 0;
    rebuildIndex();
}

int findDepthLevel(float depth) {
    ContourStore& s = contourStore();
    if (idx.indexedCount != s.depthLevelCount) rebuildIndex();
    // Levels are only ever appended, so the first match of a depth never changes.
    if (idx.cacheValid && depth == idx.lastDepth) return idx.lastLevel;
    int level = searchLevel(depth);
    if (level < 0 && s.depthLevelCount < kDepthLevelCapacity) {
        level = s.depthLevelCount++;
        s.depthLevelList[level] = depth;
        idx.indexedCount = s.depthLevelCount;
        if (!std::isnan(depth)) {
            const int at = lowerBound(std::nextafter(static_cast<double>(depth), HUGE_VAL));
            // Equal values (only infinities can repeat) keep their list order.
            int pos = at;
            while (pos < idx.sortedCount && s.depthLevelList[idx.sorted[pos]] == depth) ++pos;
            std::copy_backward(idx.sorted + pos, idx.sorted + idx.sortedCount, idx.sorted + idx.sortedCount + 1);
            idx.sorted[pos] = level;
            ++idx.sortedCount;
        }
    }
    idx.cacheValid = true;
    idx.lastDepth = depth;
    idx.lastLevel = level;
    return level;
}

void sortDepthLevels() {
    ContourStore& s = contourStore();
    const int n = s.depthLevelCount;
    bool anyNaN = false;
    for (int i = 0; i < n; ++i) {
        s.depthLevelOrder[i] = i;
        anyNaN = anyNaN || std::isnan(s.depthLevelList[i]);
    }
    if (!anyNaN) {
        // Stable: equal values keep the lower index first, as a selection sort picks them.
        std::stable_sort(s.depthLevelOrder, s.depthLevelOrder + n,
                         [&](std::int32_t a, std::int32_t b) { return s.depthLevelList[a] < s.depthLevelList[b]; });
        return;
    }
    // NaN orders nothing; keep the plain selection sort's answer for such lists.
    static bool picked[kDepthLevelCapacity];
    for (int i = 0; i < n; ++i) {
        picked[i] = false;
        s.depthLevelOrder[i] = -1;
    }
    for (int k = 0; k < n; ++k) {
        int pick = -1;
        for (int i = 0; i < n; ++i) {
            if (picked[i]) continue;
            if (pick < 0 || s.depthLevelList[i] < s.depthLevelList[pick]) pick = i;
        }
        picked[pick] = true;
        s.depthLevelOrder[k] = pick;
    }
}

}  // namespace vornel
