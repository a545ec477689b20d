#include "cutting/bin_bound.h"

#include <algorithm>

namespace dalvex {

int64_t binCountBound(const std::vector<int64_t>& widths, int64_t capacity) {
    if (widths.empty()) return 0;
    if (capacity <= 0) return 1;
    int64_t total = 0;
    for (int64_t w : widths)
        total += w;
    int64_t bins = std::max<int64_t>(1, (total + capacity - 1) / capacity);
    for (int64_t k = 1; k <= 4; ++k) {
        int64_t scaled = 0;
        for (int64_t w : widths)
            scaled += (k + 1) * w % capacity == 0 ? k * w : (k + 1) * w / capacity * capacity;
        bins = std::max(bins, (scaled + k * capacity - 1) / (k * capacity));
    }
    return bins;
}

} // namespace dalvex
