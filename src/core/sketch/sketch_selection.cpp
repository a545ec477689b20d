#include "sketch/sketch_selection.h"

#include "sketch/sketch_units.h"

namespace dalvex {

namespace {

const Door* doorInUse(const DoorSketch& sketch, int door) {
    if (door < 0 || door >= sketch::doorsInUse(sketch.doorCount)) return nullptr;
    return &sketch.doors[static_cast<size_t>(door)];
}

} // namespace

const Insert* selectedInsert(const DoorSketch& sketch, const SketchSelection& selection) {
    const Door* door = doorInUse(sketch, selection.insertDoor);
    return door ? door->insert(selection.insertId) : nullptr;
}

const Divider* selectedDivider(const DoorSketch& sketch, const SketchSelection& selection) {
    const Door* door = doorInUse(sketch, selection.dividerDoor);
    return door ? door->divider(selection.dividerId) : nullptr;
}

void dropVanished(SketchSelection& selection, const DoorSketch& sketch) {
    if (!selectedInsert(sketch, selection)) selection.clearInsert();
    if (!selectedDivider(sketch, selection)) selection.clearDivider();
    if (!doorInUse(sketch, selection.copiedDoor)) selection.copiedDoor = -1;
}

} // namespace dalvex
