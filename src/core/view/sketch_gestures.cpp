#include "view/sketch_gestures.h"

#include "records/records.h"
#include "sketch/sketch_units.h"
#include "text/numbers.h"

namespace dalvex::view {

namespace {

// The first door shown that the last hit test marked, or -1.
int hitDoor(const SketchLayout& layout, const DoorSketch& sketch) {
    const Hit& hit = layout.hit;
    if (hit.kind == kHitNothing) return -1;
    if (hit.door < layout.visibleBegin() || hit.door >= layout.visibleEnd(sketch.doorCount)) return -1;
    return hit.door;
}

// The first insert or divider (`kind`) under `p` in the doors shown that the model still has, recorded as the
// layout's hit.
ItemAt itemAt(SketchLayout& layout, const DoorSketch& sketch, PixelPoint p, int32_t kind) {
    const bool inserts = kind == kHitInsert;
    for (int i = layout.visibleBegin(); i < layout.visibleEnd(sketch.doorCount); ++i) {
        const DoorLayout& door = layout.doors[static_cast<size_t>(i)];
        if (!door.rect.contains(p)) continue;
        const Door& model = sketch.doors[static_cast<size_t>(i)];
        for (const auto& [id, r] : inserts ? door.inserts : door.dividers) {
            const bool present = inserts ? model.insert(id) != nullptr : model.divider(id) != nullptr;
            if (!present || !r.contains(p)) continue;
            layout.hit.door = i;
            layout.hit.kind = kind;
            (inserts ? layout.hit.insertId : layout.hit.dividerId) = id;
            return {i, id};
        }
    }
    return {};
}

} // namespace

ItemAt insertAt(SketchLayout& layout, const DoorSketch& sketch, PixelPoint p) {
    return itemAt(layout, sketch, p, kHitInsert);
}

ItemAt dividerAt(SketchLayout& layout, const DoorSketch& sketch, PixelPoint p) {
    return itemAt(layout, sketch, p, kHitDivider);
}

namespace {

// The split of insert `insertId` at `p`: the mouse offset from the door's edge, on the divider grid.
SplitPlace placeIn(const DoorLayout& layout, int door, int32_t insertId, PixelPoint p, double scale,
                   bool vertical) {
    const int64_t offset =
        vertical ? static_cast<int64_t>(p.x) - layout.rect.left : static_cast<int64_t>(p.y) - layout.rect.top;
    int32_t t = 0;
    if (!sketch::pixelsToLength(offset, scale, t)) return {};
    return {door, insertId, sketch::roundToDividerGrid(t)};
}

} // namespace

SplitPlace splitPlaceInDoor(const DoorLayout& layout, const Door& model, int door, PixelPoint p, double scale,
                            bool vertical) {
    if (!layout.rect.contains(p)) return {};
    for (const auto& [id, r] : layout.inserts)
        if (model.insert(id) && r.contains(p)) return placeIn(layout, door, id, p, scale, vertical);
    return {};
}

SplitPlace splitPlace(SketchLayout& layout, const DoorSketch& sketch, PixelPoint p, bool vertical) {
    const ItemAt found = insertAt(layout, sketch, p);
    if (!found) return {};
    return placeIn(layout.doors[static_cast<size_t>(found.door)], found.door, found.id, p, layout.scale,
                   vertical);
}

std::pair<PixelRect, PixelRect> beginDrag(const SketchLayout& layout, const DoorSketch& sketch) {
    const int i = hitDoor(layout, sketch);
    if (i < 0) return {};
    const Hit& hit = layout.hit;
    const DoorLayout& door = layout.doors[static_cast<size_t>(i)];
    if (hit.kind == kHitFrame) {
        if (hit.frame < 0 || hit.frame >= 4) return {};
        const PixelRect dragRect = door.frame[static_cast<size_t>(hit.frame)];
        PixelRect limits = dragRect;
        // The joint may travel between the inner edges of the two doors' outer frame sides.
        if (i == sketch::doorsInUse(sketch.doorCount) - 1 && i != 0) {
            limits.left = layout.doors[static_cast<size_t>(i - 1)].frame[kFrameLeft].right;
            limits.right = door.frame[kFrameRight].left;
        } else {
            limits.left = door.frame[kFrameLeft].right;
            if (i + 1 < kMaxDoors)
                limits.right = layout.doors[static_cast<size_t>(i + 1)].frame[kFrameRight].left;
        }
        return {limits, dragRect};
    }
    if (hit.kind == kHitDivider) {
        const Door& model = sketch.doors[static_cast<size_t>(i)];
        const Divider* d = model.divider(hit.dividerId);
        if (!d) return {};
        const PixelRect dragRect = door.divider(hit.dividerId);
        PixelRect limits = dragRect;
        const auto [beforeId, afterId] = model.adjacentInserts(*d);
        const bool before = model.insert(beforeId) != nullptr;
        const bool after = model.insert(afterId) != nullptr;
        if (d->vertical) {
            if (before) limits.left = door.insert(beforeId).left;
            if (after) limits.right = door.insert(afterId).right;
        } else {
            if (before) limits.top = door.insert(beforeId).top;
            if (after) limits.bottom = door.insert(afterId).bottom;
        }
        return {limits, dragRect};
    }
    return {};
}

DragMove dragMove(const SketchLayout& layout, const DoorSketch& sketch, PixelPoint p) {
    DragMove move;
    const int i = hitDoor(layout, sketch);
    if (i < 0) return move;
    const Hit& hit = layout.hit;
    move.door = i;
    move.dividerId = hit.kind == kHitDivider ? hit.dividerId : 0;

    if (hit.kind == kHitFrame) {
        const int n = sketch::doorsInUse(sketch.doorCount);
        int leftIndex = i, rightIndex = i + 1;
        if (i == 0) {
            leftIndex = 0;
            rightIndex = 1;
        } else if (i == n - 1) {
            leftIndex = i - 1;
            rightIndex = i;
        }
        if (rightIndex >= n) return move; // a single door has no joint
        const PixelRect& left = layout.doors[static_cast<size_t>(leftIndex)].rect;
        const PixelRect& right = layout.doors[static_cast<size_t>(rightIndex)].rect;
        const Article* profile = sketch.doors[static_cast<size_t>(rightIndex)].frame[kFrameLeft].profile;
        const int32_t halfProfile = (profile ? profile->faceWidth : 0) / 2;

        int32_t t = 0;
        int32_t growth = 0;
        if (p.x > right.left) {
            if (!sketch::pixelsToLength(static_cast<int64_t>(p.x) - right.left, layout.scale, t)) return move;
            growth = sketch::roundToMillimetre(clampToInt(static_cast<int64_t>(t) - halfProfile));
        } else {
            if (!sketch::pixelsToLength(static_cast<int64_t>(left.right) - p.x, layout.scale, t)) return move;
            growth = -sketch::roundToMillimetre(clampToInt(static_cast<int64_t>(t) - halfProfile));
        }
        move.kind = kHitFrame;
        move.leftDoor = leftIndex;
        move.growth = growth;
        return move;
    }
    if (hit.kind == kHitDivider) {
        const Divider* d = sketch.doors[static_cast<size_t>(i)].divider(hit.dividerId);
        if (!d) return move;
        const PixelRect& rect = layout.doors[static_cast<size_t>(i)].rect;
        const int64_t offset =
            d->vertical ? static_cast<int64_t>(p.x) - rect.left : static_cast<int64_t>(p.y) - rect.top;
        int32_t t = 0;
        if (!sketch::pixelsToLength(offset, layout.scale, t)) return move;
        move.kind = kHitDivider;
        move.position = sketch::roundToDividerGrid(t);
    }
    return move;
}

} // namespace dalvex::view
