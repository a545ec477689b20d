#include "calc/bar_count.h"

#include <algorithm>
#include <limits>

namespace dalvex {

int32_t billedBarCount(const std::vector<int32_t>& pieces, int32_t barLength) {
    int64_t bars = 0;
    int64_t fill = 0;
    for (int32_t p : pieces) {
        const int64_t prev = fill;
        fill += p;
        if (fill <= barLength) continue;
        if (prev != 0) {
            ++bars;
            fill = p;
        }
        if (p > barLength) break;
    }
    if (fill > 0) ++bars;
    return static_cast<int32_t>(std::min<int64_t>(bars, std::numeric_limits<int32_t>::max()));
}

} // namespace dalvex
