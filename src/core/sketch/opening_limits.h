#pragma once
// The ranges the opening's dimensions are held to, in 0.1 mm: what the editor accepts, and what a sketch
// file may carry.
#include <cstdint>

namespace dalvex {

inline constexpr int32_t kMinOpeningWidth = 1000;    // 100 mm
inline constexpr int32_t kMaxOpeningWidth = 1000000; // 100 m
inline constexpr int32_t kMinOpeningHeight = 1000;   // 100 mm
inline constexpr int32_t kMaxOpeningHeight = 100000; // 10 m
inline constexpr int32_t kMaxChipboardWidth = 1000;  // 100 mm
// A plinth typed by hand; a system without a plinth holds 0.
inline constexpr int32_t kMinPlinthHeight = 540;
inline constexpr int32_t kMaxPlinthHeight = 20000;

} // namespace dalvex
