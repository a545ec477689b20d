#include "calc/calc_result.h"

#include "text/numbers.h"

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

int32_t sumItems(const CalcResult& r) {
    int64_t sum = 0;
    for (const ArticleLine& line : r.articleLines) {
        if (!line.error.empty()) return 0;
        sum += line.amount;
    }
    // Without priced articles the order is not complete, so the materials alone make no total.
    if (sum > 0) {
        for (const MaterialLine& line : r.materialLines) {
            if (!line.error.empty()) return 0;
            sum += line.amount;
        }
    }
    // Summed wide: a total beyond the int32 range cannot be a real order, but must not wrap.
    return clampToInt(sum);
}

} // namespace

void CalcResult::computeItemsTotal() const {
    itemsTotal = sumItems(*this);
    totalsDirty = false;
}

} // namespace dalvex
