#pragma once
// What the user points at in the sketch, by door and id: the selected insert (what a material fills), the
// divider just drawn or dragged (whose neighbour the insert size dialog sizes) and the door copied for
// pasting. The editor keeps it beside the order, not in it: undo, saving and opening never carry it.
#include "sketch/door_sketch.h"

#include <cstdint>

namespace dalvex {

struct SketchSelection {
    int insertDoor = -1; // -1: no insert selected
    int32_t insertId = 0;
    int dividerDoor = -1; // -1: no divider
    int32_t dividerId = 0;
    int copiedDoor = -1; // -1: no door copied

    bool hasInsert() const { return insertDoor >= 0; }
    void clearInsert() {
        insertDoor = -1;
        insertId = 0;
    }
    void clearDivider() {
        dividerDoor = -1;
        dividerId = 0;
    }
    bool operator==(const SketchSelection&) const = default;
};

// The selected insert and divider as the sketch holds them now, among the doors in use; null otherwise.
const Insert* selectedInsert(const DoorSketch& sketch, const SketchSelection& selection);
const Divider* selectedDivider(const DoorSketch& sketch, const SketchSelection& selection);
// Forgets what the sketch no longer holds: an insert merged away, a divider removed, a door no longer in use.
void dropVanished(SketchSelection& selection, const DoorSketch& sketch);

} // namespace dalvex
