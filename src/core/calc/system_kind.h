#pragma once
// Which of the ten profile systems a calculator is; the geometry and the collectors test it, and an order
// keeps each system's options under it.
#include <cstdint>

namespace dalvex {

enum SystemKind : int32_t {
    kSystemLantes = 0,
    kSystemDalvex = 1,
    kSystemBorvik = 2,
    kSystemWenlor = 3,
    kSystemSenfil = 4,
    kSystemGerlit = 5,
    kSystemFeldor = 6,
    kSystemQuorin = 7,
    kSystemZerkan = 8,
    kSystemNordel = 9,
};
inline constexpr int kSystemKindCount = 10;

} // namespace dalvex
