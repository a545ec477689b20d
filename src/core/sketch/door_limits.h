#pragma once
// How wide a door can be built: its two upright profiles need room and a filling between them, and its top
// and bottom profiles must each come from one stock bar. A door outside these limits still has a price; it
// is warned about where the dealer looks, in the price table and on the info line.
#include "sketch/door_sketch.h"

#include <cstdint>
#include <string>

namespace dalvex {

struct DoorWidthLimits {
    int32_t narrowest = kMinDoorWidth;
    int32_t widest = 0; // 0: nothing known limits it
};

// At least its upright profiles' face widths and the smallest insert between them, and never below
// kMinDoorWidth; at most as wide as leaves the top and the bottom profile each within its stock bar.
DoorWidthLimits doorWidthLimits(const Door& door);

// "ВНИМАНИЕ: ширина двери N — W мм, допустимо …" for a door outside its limits; empty for one inside them.
std::string doorWidthWarning(const Door& door);

// The warning of the first of the doors in use that is outside its limits; empty when every one is inside.
std::string doorWidthWarning(const DoorSketch& sketch);

} // namespace dalvex
