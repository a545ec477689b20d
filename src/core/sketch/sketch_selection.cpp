#include "sketch/sketch_selection.h"

namespace dalvex {

const Insert* selectedInsert(const DoorSketch& sketch, const SketchSelection& selection) {
    const Door* door = sketch.doorInUse(selection.insertDoor);
    return door ? door->insert(selection.insertId) : nullptr;
}

const Divider* selectedDivider(const DoorSketch& sketch, const SketchSelection& selection) {
    const Door* door = sketch.doorInUse(selection.dividerDoor);
    return door ? door->divider(selection.dividerId) : nullptr;
}

void dropVanished(SketchSelection& selection, const DoorSketch& sketch) {
    if (!selectedInsert(sketch, selection)) selection.clearInsert();
    if (!selectedDivider(sketch, selection)) selection.clearDivider();
    if (!sketch.doorInUse(selection.copiedDoor)) selection.copiedDoor = -1;
}

} // namespace dalvex
