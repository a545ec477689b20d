#pragma once
// Integer helpers of the geometry: sums are taken in 64 bits and brought back into the int32 range, so no
// input (a damaged file, an extreme dimension) can overflow.
#include "text/numbers.h"

#include <algorithm>
#include <cstdint>

namespace dalvex {

// One door's share of a total width, truncating toward zero; a sketch without doors counts as one door.
inline int32_t doorShare(int64_t total, int32_t doorCount) {
    return clampToInt(total / std::max(1, doorCount));
}

} // namespace dalvex
