#pragma once
// A lower bound on the bins any packing of widths into bins of one capacity needs: the bars of the cutting
// plan, and the panels that must share a line across a sheet.
#include <cstdint>
#include <vector>

namespace dalvex {

// No packing of `widths` (each at most `capacity`) into bins of `capacity` needs fewer bins than this: the
// total over the capacity, and the dual feasible functions u_k(w) = floor((k + 1) w / C) C / k (w itself when
// (k + 1) w is a multiple of C), under which no bin holds more than C; k = 1 counts every width above half a
// bin as a whole bin. 0 without widths; 1 for a capacity of 0, which holds any number of empty widths.
int64_t binCountBound(const std::vector<int64_t>& widths, int64_t capacity);

} // namespace dalvex
