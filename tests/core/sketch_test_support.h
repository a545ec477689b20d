#pragma once
// Helpers for the door sketch tests: doors of a given size, a layout at scale 1 as the sketch view would make
// it (door coordinates = pixels, doors side by side from x = 0), the view's gestures on it, and a checker of
// the tiling invariants.
#include "sketch/door_sketch.h"
#include "view/sketch_gestures.h"
#include "view/sketch_hover.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

namespace dalvex::test {

inline void sizeDoor(Door& door, int32_t width, int32_t height) {
    door.width = door.previousWidth = width;
    door.height = door.previousHeight = height;
    door.updateInsertEdges();
}

// Pixel rectangles at scale 1 with the door's left edge at originX. Dividers are 3 pixels wide around their
// position, over their span.
inline view::DoorLayout layoutDoor(const Door& door, int originX = 0) {
    view::DoorLayout out;
    out.rect = {originX, 0, originX + door.width, door.height};
    for (const auto& [id, ins] : door.inserts)
        out.inserts[id] = {originX + ins.left, ins.top, originX + ins.right, ins.bottom};
    for (const auto& [id, d] : door.dividers) {
        const Divider* start = door.divider(d.startId);
        const int s = start ? start->position : 0;
        if (d.vertical)
            out.dividers[id] = {originX + d.position - 1, s, originX + d.position + 2, s + d.length};
        else
            out.dividers[id] = {originX + s, d.position - 1, originX + s + d.length, d.position + 2};
    }
    return out;
}

// A click of the view at pixel `p` of `layout` (drawn at `scale`) in divider mode: the split it asks for.
inline Divider* splitAt(Door& door, const view::DoorLayout& layout, PixelPoint p,
                        const DividerProfile* profile, bool vertical, double scale) {
    const view::SplitPlace at = view::splitPlaceInDoor(layout, door, 0, p, scale, vertical);
    return at ? door.splitInsert(at.insertId, at.position, profile, vertical) : nullptr;
}

// The same on the door laid out at scale 1.
inline Divider* splitAt(Door& door, PixelPoint p, const DividerProfile* profile, bool vertical) {
    return splitAt(door, layoutDoor(door), p, profile, vertical, 1.0);
}

// Splits at door coordinates (x, y) at scale 1; returns the new divider's id or 0.
inline int32_t splitDoorAt(Door& door, int x, int y, bool vertical) {
    return splitAt(door, {x, y}, nullptr, vertical) ? door.nextDividerId - 1 : 0;
}

// Lays out the first doorCount doors of a sketch side by side and their frame sides without profiles (the
// right side 4 pixels wide inside the door, as the view draws it).
inline view::SketchLayout layoutSketch(const DoorSketch& sketch) {
    view::SketchLayout layout;
    int x = 0;
    for (int i = 0; i < sketch.doorCount; ++i) {
        const Door& door = sketch.doors[i];
        view::DoorLayout& out = layout.doors[i];
        out = layoutDoor(door, x);
        out.frame[kFrameLeft] = {x, 0, x, door.height};
        out.frame[kFrameRight] = {x + door.width - 4, 0, x + door.width, door.height};
        layout.table[i] = out.rect;
        x += door.width;
    }
    layout.scale = 1.0;
    layout.stale = false;
    return layout;
}

// The view's gestures on a laid-out sketch, carried out on the sketch as the editor's operations would (what
// they select is the editor's, and its tests'): a click in divider mode, releasing a drag of the item of the
// last hit test, and the context menu's deletion of a divider.
inline bool splitAt(view::SketchLayout& layout, DoorSketch& s, PixelPoint p, const DividerProfile* profile,
                    bool vertical) {
    const view::SplitPlace at = view::splitPlace(layout, s, p, vertical);
    return at && s.doors[at.door].splitInsert(at.insertId, at.position, profile, vertical);
}

inline bool dragTo(const view::SketchLayout& layout, DoorSketch& s, PixelPoint p) {
    const view::DragMove move = view::dragMove(layout, s, p);
    if (move.kind == view::kHitFrame) return s.moveJoint(move.leftDoor, move.growth);
    if (move.kind == view::kHitDivider) return s.doors[move.door].moveDivider(move.dividerId, move.position);
    return false;
}

inline bool removeDividerAt(view::SketchLayout& layout, DoorSketch& s, PixelPoint p) {
    const view::ItemAt at = view::dividerAt(layout, s, p);
    return at && s.doors[at.door].removeDivider(at.id);
}

// The invariants every editing operation keeps: the inserts tile the door, each edge lies on the divider (or
// frame) the insert names, every divider's length spans its bounds and is faced on both sides by inserts.
inline ::testing::AssertionResult consistent(const Door& door) {
    std::ostringstream why;
    if (door.inserts.size() != door.dividers.size() + 1)
        why << door.inserts.size() << " inserts for " << door.dividers.size() << " dividers; ";
    int64_t area = 0;
    for (const auto& [id, ins] : door.inserts) {
        auto edge = [&](int32_t dividerId, int32_t frame) {
            const Divider* d = door.divider(dividerId);
            return d ? d->position : frame;
        };
        if (ins.left != edge(ins.leftId, 0) || ins.top != edge(ins.topId, 0) ||
            ins.right != edge(ins.rightId, door.width) || ins.bottom != edge(ins.bottomId, door.height))
            why << "insert " << id << " edges off its dividers; ";
        if (ins.left < 0 || ins.top < 0 || ins.right > door.width || ins.bottom > door.height ||
            ins.left >= ins.right || ins.top >= ins.bottom)
            why << "insert " << id << " outside or empty; ";
        if (id <= 0 || id >= door.nextInsertId) why << "insert id " << id << " not below the counter; ";
        area += static_cast<int64_t>(ins.right - ins.left) * (ins.bottom - ins.top);
        for (const auto& [otherId, other] : door.inserts) {
            if (otherId <= id) continue;
            if (ins.left < other.right && other.left < ins.right && ins.top < other.bottom &&
                other.top < ins.bottom)
                why << "inserts " << id << " and " << otherId << " overlap; ";
        }
    }
    if (area != static_cast<int64_t>(door.width) * door.height) why << "inserts cover " << area << "; ";
    for (const auto& [id, d] : door.dividers) {
        if (id <= 0 || id >= door.nextDividerId) why << "divider id " << id << " not below the counter; ";
        const Divider* start = door.divider(d.startId);
        const Divider* end = door.divider(d.endId);
        if ((start && start->vertical == d.vertical) || (end && end->vertical == d.vertical))
            why << "divider " << id << " bounded by a parallel divider; ";
        const int32_t s = start ? start->position : 0;
        const int32_t e = end ? end->position : (d.vertical ? door.height : door.width);
        if (d.length != e - s) why << "divider " << id << " length " << d.length << " != " << e - s << "; ";
        int64_t beforeCover = 0, afterCover = 0;
        for (const auto& [insId, ins] : door.inserts) {
            const int32_t lo = d.vertical ? ins.top : ins.left;
            const int32_t hi = d.vertical ? ins.bottom : ins.right;
            if (lo < s || hi > e) continue;
            if ((d.vertical ? ins.right : ins.bottom) == d.position) beforeCover += hi - lo;
            if ((d.vertical ? ins.left : ins.top) == d.position) afterCover += hi - lo;
        }
        if (beforeCover != d.length || afterCover != d.length)
            why << "divider " << id << " faced over " << beforeCover << "/" << afterCover << "; ";
    }
    if (why.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << why.str();
}

} // namespace dalvex::test
