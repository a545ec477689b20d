// Editing the sketch at pixel points of the last layout: each operation walks the doors shown and acts in the
// first door that answers.
#include "records/records.h"
#include "sketch/door_sketch.h"
#include "sketch/sketch_units.h"

#include <limits>

namespace dalvex {

namespace {

constexpr int64_t kWidthLimit = std::numeric_limits<int32_t>::max();

} // namespace

bool DoorSketch::splitAt(PixelPoint p, const DividerProfile* profile, bool vertical) {
    for (int i = visibleBegin(); i < visibleEnd(); ++i) {
        Door& door = doors[i];
        if (door.split(p, profile, vertical, scale)) {
            selectedDividerId = door.nextDividerId - 1; // split advances the counter past the new divider
            selectedDividerDoor = i;
            dirty = true;
            return true;
        }
    }
    selectedDividerId = 0;
    selectedDividerDoor = -1;
    return false;
}

bool DoorSketch::removeDividerAt(PixelPoint p) {
    for (int i = visibleBegin(); i < visibleEnd(); ++i) {
        Door& door = doors[i];
        if (!door.dividerAt(p)) continue;
        const int32_t id = door.hitDividerId;
        if (!door.removeDivider(id)) return false;
        if (selectedDividerDoor == i && selectedDividerId == id) {
            selectedDividerId = 0;
            selectedDividerDoor = -1;
        }
        dirty = true;
        return true;
    }
    return false;
}

std::pair<PixelRect, PixelRect> DoorSketch::beginDrag() {
    for (int i = visibleBegin(); i < visibleEnd(); ++i) {
        Door& door = doors[i];
        if (door.hitKind == kHitNothing) continue;
        if (door.hitKind == kHitFrame) {
            if (door.hitFrame < 0 || door.hitFrame >= 4) return {};
            const PixelRect dragRect = door.frame[door.hitFrame].rect;
            PixelRect limits = dragRect;
            // The joint may travel between the inner edges of the two doors' outer frame sides.
            if (i == sketch::doorsInUse(doorCount) - 1 && i != 0) {
                limits.left = doors[i - 1].frame[kFrameLeft].rect.right;
                limits.right = door.frame[kFrameRight].rect.left;
            } else {
                limits.left = door.frame[kFrameLeft].rect.right;
                if (i + 1 < kMaxDoors) limits.right = doors[i + 1].frame[kFrameRight].rect.left;
            }
            return {limits, dragRect};
        }
        if (door.hitKind == kHitDivider) {
            const Divider* d = door.hitDivider();
            if (!d) return {};
            PixelRect limits = d->rect;
            const auto [beforeId, afterId] = door.adjacentInserts(*d);
            const Insert* before = door.insert(beforeId);
            const Insert* after = door.insert(afterId);
            if (d->vertical) {
                if (before) limits.left = before->rect.left;
                if (after) limits.right = after->rect.right;
            } else {
                if (before) limits.top = before->rect.top;
                if (after) limits.bottom = after->rect.bottom;
            }
            return {limits, d->rect};
        }
        return {};
    }
    return {};
}

bool DoorSketch::dragTo(PixelPoint p) {
    int i = visibleBegin();
    while (i < visibleEnd() && doors[i].hitKind == kHitNothing)
        ++i;
    if (i >= visibleEnd()) return false;
    Door& door = doors[i];
    selectedDividerDoor = i;
    selectedDividerId = door.hitDividerId; // 0 for a joint: no divider of another door stays selected

    if (door.hitKind == kHitFrame) {
        const int n = sketch::doorsInUse(doorCount);
        int leftIndex = i, rightIndex = i + 1;
        if (i == 0) {
            leftIndex = 0;
            rightIndex = 1;
        } else if (i == n - 1) {
            leftIndex = i - 1;
            rightIndex = i;
        }
        if (rightIndex >= n) return false; // a single door has no joint
        const Door& left = doors[leftIndex];
        const Door& right = doors[rightIndex];
        const Article* profile = right.frame[kFrameLeft].profile;
        const int32_t halfProfile = (profile ? profile->faceWidth : 0) / 2;

        int32_t t = 0;
        int64_t leftGrowth = 0;
        if (p.x > right.rect.left) {
            if (!sketch::pixelsToLength(static_cast<int64_t>(p.x) - right.rect.left, scale, t)) return false;
            leftGrowth = sketch::roundToMillimetre(clampToInt(static_cast<int64_t>(t) - halfProfile));
        } else {
            if (!sketch::pixelsToLength(static_cast<int64_t>(left.rect.right) - p.x, scale, t)) return false;
            leftGrowth = -sketch::roundToMillimetre(clampToInt(static_cast<int64_t>(t) - halfProfile));
        }
        return moveJoint(leftIndex, leftGrowth);
    }
    if (door.hitKind == kHitDivider) {
        const Divider* d = door.hitDivider();
        if (!d) return false;
        const int64_t offset = d->vertical ? static_cast<int64_t>(p.x) - door.rect.left
                                           : static_cast<int64_t>(p.y) - door.rect.top;
        int32_t t = 0;
        if (!sketch::pixelsToLength(offset, scale, t)) return false;
        if (!door.moveDivider(door.hitDividerId, sketch::roundToDividerGrid(t))) return false;
        dirty = true;
        return true;
    }
    return false;
}

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
    dirty = true;
    return true;
}

bool DoorSketch::selectInsertAt(PixelPoint p) {
    for (int i = visibleBegin(); i < visibleEnd(); ++i) {
        Door& door = doors[i];
        door.selectedInsertId = door.insertAt(p) ? door.hitInsertId : 0;
        if (door.selectedInsertId != 0) return true;
    }
    return false;
}

void DoorSketch::fillSelectedInsert(const Material* m) {
    for (int i = visibleBegin(); i < visibleEnd(); ++i)
        if (doors[i].selectedInsert()) {
            fillInsert(i, doors[i].selectedInsertId, m);
            return;
        }
}

void DoorSketch::fillSelectedInsertAcrossDoors(const Material* m, int32_t from, int32_t to) {
    for (int i = visibleBegin(); i < visibleEnd(); ++i)
        if (doors[i].selectedInsert()) {
            fillInsertAcrossDoors(i, doors[i].selectedInsertId, m, from, to);
            return;
        }
}

Insert* DoorSketch::insertOf(int doorIndex, int32_t insertId) {
    if (doorIndex < 0 || doorIndex >= sketch::doorsInUse(doorCount)) return nullptr;
    return doors[doorIndex].insert(insertId);
}

bool DoorSketch::fillInsert(int doorIndex, int32_t insertId, const Material* m) {
    Insert* ins = insertOf(doorIndex, insertId);
    if (!ins) return false;
    ins->material = m;
    ins->scaleByDoors = false;
    dirty = true;
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
    dirty = true;
    return true;
}

bool DoorSketch::clearHoveredInsertMaterial() {
    for (int i = visibleBegin(); i < visibleEnd(); ++i) {
        Door& door = doors[i];
        if (door.hitKind == kHitNothing) continue;
        if (Insert* ins = door.hitInsert()) ins->material = nullptr;
        dirty = true;
        return true;
    }
    return false;
}

PasteResult DoorSketch::pasteDoor(int targetIndex) {
    const int n = sketch::doorsInUse(doorCount);
    if (targetIndex < 0 || targetIndex >= n || copiedDoor < 0 || copiedDoor >= n ||
        targetIndex == copiedDoor) {
        copiedDoor = -1;
        return kPasteRefused;
    }
    const PasteResult result = doors[targetIndex].pasteFrom(&doors[copiedDoor]);
    if (result == kPasted) {
        // The target's old dividers are gone; a selection there would name a divider of the copy.
        if (selectedDividerDoor == targetIndex) {
            selectedDividerId = 0;
            selectedDividerDoor = -1;
        }
        resizePending = true;
        dirty = true;
    }
    return result;
}

} // namespace dalvex
