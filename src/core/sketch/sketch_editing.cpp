// Editing the sketch across doors: the joint between two doors, filling inserts, pasting a door.
#include "sketch/door_sketch.h"
#include "sketch/sketch_units.h"

#include <limits>

namespace dalvex {

namespace {

constexpr int64_t kWidthLimit = std::numeric_limits<int32_t>::max();

} // namespace

bool DoorSketch::moveJoint(int leftDoor, int64_t growth) {
    if (leftDoor < 0 || leftDoor + 1 >= sketch::doorsInUse(doorCount)) return false;
    Door& left = doors[leftDoor];
    Door& right = doors[leftDoor + 1];
    const int64_t newLeft = left.width + growth;
    const int64_t newRight = right.width - growth;
    if (newLeft < kMinDoorWidth || newRight < kMinDoorWidth) return false;
    if (newLeft > kWidthLimit || newRight > kWidthLimit) return false;
    for (auto [d, w] : {std::pair<Door*, int64_t>{&left, newLeft}, {&right, newRight}}) {
        if (d->width == w) continue;
        d->previousWidth = d->width;
        d->width = static_cast<int32_t>(w);
    }
    left.rescale(false);
    right.rescale(false);
    return true;
}

Insert* DoorSketch::insertOf(int doorIndex, int32_t insertId) {
    Door* door = doorInUse(doorIndex);
    return door ? door->insert(insertId) : nullptr;
}

bool DoorSketch::fillInsert(int doorIndex, int32_t insertId, const Material* m) {
    Insert* ins = insertOf(doorIndex, insertId);
    if (!ins) return false;
    ins->material = m;
    ins->scaleByDoors = false;
    return true;
}

bool DoorSketch::fillInsertAcrossDoors(int doorIndex, int32_t insertId, const Material* m, int32_t from,
                                       int32_t to) {
    Insert* ins = insertOf(doorIndex, insertId);
    // The picture is laid over doors the view can find, and the insert's own door is among them.
    if (!ins || from < 0 || from > doorIndex || to < doorIndex || to >= sketch::doorsInUse(doorCount))
        return false;
    ins->material = m;
    ins->scaleByDoors = true;
    ins->scaleFirstDoor = from;
    ins->scaleLastDoor = to;
    return true;
}

PasteResult DoorSketch::pasteDoor(int from, int to) {
    const int n = sketch::doorsInUse(doorCount);
    if (to < 0 || to >= n || from < 0 || from >= n || to == from) return kPasteRefused;
    const PasteResult result = doors[to].pasteFrom(&doors[from]);
    if (result == kPasted) resizePending = true;
    return result;
}

} // namespace dalvex
