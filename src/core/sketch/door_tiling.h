#pragma once
// Whether a door is whole: its inserts tile it exactly and every reference between inserts and dividers names
// the divider that is really there. Every editing operation keeps this; a door from a file must show it
// before it is taken.
#include "sketch/door_sketch.h"

#include <string_view>

namespace dalvex {

// Empty when the door is whole, else what is wrong with it first.
std::string_view tilingFault(const Door& door);

inline bool tilesItself(const Door& door) {
    return tilingFault(door).empty();
}

} // namespace dalvex
