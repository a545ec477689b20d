#pragma once
// Arithmetic shared by the sketch operations. A door may come from a file with any values in it, so every
// sum, difference and pixel conversion here is done wide and saturated, and a scale that cannot be divided by
// is reported instead of used.
#include "sketch/door_sketch.h"
#include "text/numbers.h"

#include <cstdint>

namespace dalvex::sketch {

// The doors in use; a count out of range is held to what the array has.
inline int doorsInUse(int32_t doorCount) {
    return doorCount < 0 ? 0 : doorCount > kMaxDoors ? kMaxDoors : doorCount;
}

// The middle of [a, b], halved toward zero as the hit rules expect.
inline int64_t middle(int32_t a, int32_t b) {
    return a + (static_cast<int64_t>(b) - a) / 2;
}

// trunc(offset / scale): a pixel offset of the last layout as a length. False for a scale of 0, below 0 or
// NaN.
bool pixelsToLength(int64_t offset, double scale, int32_t& length);

// A mouse position on the 10 mm divider grid: trunc((t + 50) / 100) x 100.
inline int32_t roundToDividerGrid(int32_t t) {
    return clampToInt((static_cast<int64_t>(t) + kDividerGrid / 2) / kDividerGrid * kDividerGrid);
}

// A door joint position on the 1 mm grid, toward zero.
inline int32_t roundToMillimetre(int32_t t) {
    return t / 10 * 10;
}

} // namespace dalvex::sketch
