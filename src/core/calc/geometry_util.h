#pragma once
// Integer helpers of the geometry: sums are taken in 64 bits and brought back into the int32 range, so no
// input (a damaged file, an extreme dimension) can overflow.
#include <algorithm>
#include <cstdint>
#include <limits>

namespace dalvex {

inline int32_t clampToInt(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// One door's share of a total width, truncating toward zero; a sketch without doors counts as one door.
inline int32_t doorShare(int64_t total, int32_t doorCount) {
    return clampToInt(total / std::max(1, doorCount));
}

} // namespace dalvex
