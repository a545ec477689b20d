#include "calc/calc_result.h"

#include <limits>

namespace dalvex {

void CalcResult::clear() {
    articleLines.clear();
    materialLines.clear();
    cutLines.clear();
    panelLines.clear();
    doorLines.clear();
    totalsDirty = true;
    itemsTotal = 0;
    profileGroup = 1;
    materialGroup = 1;
}

namespace {

// Sums in 64 bits and clamps: a total beyond the int32 range cannot be a real order, but must not wrap.
int32_t clampTotal(int64_t sum) {
    if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(sum);
}

} // namespace

void CalcResult::computeItemsTotal() {
    totalsDirty = false;
    int64_t sum = 0;
    for (const ArticleLine& line : articleLines) {
        if (!line.error.empty()) {
            itemsTotal = 0;
            return;
        }
        sum += line.amount;
    }
    // Without priced articles the order is not complete, so the materials alone make no total.
    if (sum > 0) {
        for (const MaterialLine& line : materialLines) {
            if (!line.error.empty()) {
                itemsTotal = 0;
                return;
            }
            sum += line.amount;
        }
    }
    itemsTotal = clampTotal(sum);
}

} // namespace dalvex
