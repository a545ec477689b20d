#pragma once
// How many bars the bill buys for the pieces of a whole-bar line, as the catalogue rules count them. The bill
// needs it, so it lives beside the bill; the cutting plans above only show it beside their own count.
#include <cstdint>
#include <vector>

namespace dalvex {

// The bill's own count of bars for `pieces`: next-fit in cutting order without kerf, ending at the first
// piece longer than a bar.
int32_t billedBarCount(const std::vector<int32_t>& pieces, int32_t barLength);

} // namespace dalvex
