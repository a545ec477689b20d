#include "view/sketch_layout.h"

#include "records/records.h"
#include "sketch/sketch_units.h"
#include "text/numbers.h"

#include <algorithm>
#include <cmath>

namespace dalvex::view {

namespace {

int32_t faceWidth(const Article* profile) {
    return profile ? profile->faceWidth : 0;
}

PixelRect find(const std::map<int32_t, PixelRect>& rects, int32_t id) {
    auto it = rects.find(id);
    return it != rects.end() ? it->second : PixelRect{};
}

// A divider's extent across its own line, in pixels from the door's left (vertical) or top (horizontal) edge.
void placeAcross(PixelRect& r, const Divider& d, const PixelRect& doorRect, double scale) {
    const int32_t w = d.profile ? d.profile->faceWidth : 0;
    const int start =
        floorToInt((d.axis - w / 2) * scale + 0.5) + (d.vertical ? doorRect.left : doorRect.top);
    const int end = start + floorToInt(w * scale + 0.5);
    // A very thin profile would vanish on screen; it stays three pixels wide.
    const int lo = std::min(start, end - 3);
    if (d.vertical) {
        r.left = lo;
        r.right = end;
    } else {
        r.top = lo;
        r.bottom = end;
    }
}

// Lays out the frame sides, dividers and inserts of one door whose rectangle is set.
void layoutDoor(DoorLayout& out, const Door& door, const Door* previous, bool last, double scale) {
    auto f = [scale](int32_t v) { return ceilToInt(v * scale); };
    const PixelRect r = out.rect;

    PixelRect& left = out.frame[kFrameLeft];
    const int w0 = f(faceWidth(door.frame[kFrameLeft].profile));
    left = {r.left - w0, r.top, r.left, r.bottom};
    if (!previous) {
        out.rect.left -= w0;
    } else if (previous->row == door.row) {
        // Doors in one row meet edge to edge: the side lies inside the door. A door of the other row overlaps
        // its neighbour, and the side stays outside, over the neighbour.
        left.left += w0;
        left.right += w0;
    }

    PixelRect& right = out.frame[kFrameRight];
    const Article* rightProfile = door.frame[kFrameRight].profile;
    const int w2 = rightProfile ? f(rightProfile->faceWidth) : (last ? 0 : 4);
    right = {r.right - w2, r.top, r.right, r.bottom};

    out.frame[kFrameTop] = {left.right, r.top, right.left,
                            r.top + f(faceWidth(door.frame[kFrameTop].profile))};
    out.frame[kFrameBottom] = {left.right, r.bottom - f(faceWidth(door.frame[kFrameBottom].profile)),
                               right.left, r.bottom};
    const PixelRect inner{left.right, out.frame[kFrameTop].bottom, right.left, out.frame[kFrameBottom].top};

    // Across first, then along: the ends of a divider depend on the across extent of the dividers it stops
    // at, whatever their ids.
    out.dividers.clear();
    for (const auto& [id, d] : door.dividers)
        placeAcross(out.dividers[id], d, out.rect, scale);
    for (const auto& [id, d] : door.dividers) {
        PixelRect& dr = out.dividers[id];
        const bool hasStart = door.divider(d.startId) != nullptr;
        const bool hasEnd = door.divider(d.endId) != nullptr;
        if (d.vertical) {
            dr.top = hasStart ? out.dividers[d.startId].bottom : inner.top;
            dr.bottom = hasEnd ? out.dividers[d.endId].top : inner.bottom;
        } else {
            dr.left = hasStart ? out.dividers[d.startId].right : inner.left;
            dr.right = hasEnd ? out.dividers[d.endId].left : inner.right;
        }
    }

    out.inserts.clear();
    for (const auto& [id, in] : door.inserts) {
        auto edge = [&](int32_t dividerId, int PixelRect::*side, int frame) {
            return door.divider(dividerId) ? out.dividers[dividerId].*side : frame;
        };
        out.inserts[id] = {edge(in.leftId, &PixelRect::right, inner.left),
                           edge(in.topId, &PixelRect::bottom, inner.top),
                           edge(in.rightId, &PixelRect::left, inner.right),
                           edge(in.bottomId, &PixelRect::top, inner.bottom)};
    }
}

} // namespace

PixelRect DoorLayout::insert(int32_t id) const {
    return find(inserts, id);
}

PixelRect DoorLayout::divider(int32_t id) const {
    return find(dividers, id);
}

int SketchLayout::visibleBegin() const {
    if (currentDoor >= 0) return currentDoor < kMaxDoors ? currentDoor : 0;
    return 0;
}

int SketchLayout::visibleEnd(int32_t doorCount) const {
    if (currentDoor >= 0) return currentDoor < kMaxDoors ? currentDoor + 1 : 0;
    return sketch::doorsInUse(doorCount);
}

void SketchLayout::clearHits() {
    hit = Hit{};
    cursorKind = 0;
}

Placement placeInView(const DoorSketch& sketch, int currentDoor, PixelRect client, int dpi) {
    const int m = dpi * 40 / 72;
    const PixelRect area{client.left + m, client.top + dpi * 10 / 72 + m, client.right - m,
                         client.bottom - m};
    int32_t extentWidth = sketch.doorsTotalWidth;
    int32_t extentHeight = sketch.height;
    if (currentDoor >= 0 && currentDoor < kMaxDoors) {
        const Door& door = sketch.doors[static_cast<size_t>(currentDoor)];
        extentWidth = door.width;
        extentHeight = door.height;
    }
    Placement p;
    if (extentWidth > 0 && extentHeight > 0 && area.width() > 0 && area.height() > 0)
        p.scale = std::min(static_cast<double>(area.height()) / extentHeight,
                           static_cast<double>(area.width()) / extentWidth);
    const int drawnWidth = truncToInt(extentWidth * p.scale);
    const int drawnHeight = truncToInt(extentHeight * p.scale);
    p.origin = {area.left + (area.width() - drawnWidth) / 2, area.top + (area.height() - drawnHeight) / 2};
    return p;
}

void layOut(SketchLayout& out, const DoorSketch& sketch, double scale, PixelPoint origin) {
    out.scale = scale;
    const int count = sketch::doorsInUse(sketch.doorCount);

    int64_t coveredWidth = 0;
    int x = origin.x;
    for (int i = 0; i < count; ++i) {
        const Door& door = sketch.doors[static_cast<size_t>(i)];
        const int w = truncToInt(door.width * scale);
        out.doors[static_cast<size_t>(i)].rect = {x, origin.y, x + w,
                                                  origin.y + truncToInt(door.height * scale)};
        x = out.doors[static_cast<size_t>(i)].rect.right;
        coveredWidth += door.width;
    }
    // Doors past the count hold nothing a hit test could find.
    for (int i = count; i < kMaxDoors; ++i)
        out.doors[static_cast<size_t>(i)] = DoorLayout{};

    const double uncovered = static_cast<double>(sketch.doorsTotalWidth - coveredWidth);
    const int gapWidth = std::max(0, truncToInt(uncovered * scale));
    out.gapRect = {x, origin.y, x + gapWidth, origin.y + truncToInt(sketch.doors[0].height * scale)};

    if (out.currentDoor >= 0) {
        int shift = 0;
        for (int i = 0; i < std::min(out.currentDoor, count); ++i)
            shift += out.doors[static_cast<size_t>(i)].rect.width();
        for (int i = 0; i < count; ++i) {
            PixelRect& r = out.doors[static_cast<size_t>(i)].rect;
            r.left -= shift;
            r.right -= shift;
        }
        out.gapRect.left -= shift;
        out.gapRect.right -= shift;
    }

    out.table = DoorTable{};
    for (int i = 0; i < count; ++i)
        out.table[static_cast<size_t>(i)] = out.doors[static_cast<size_t>(i)].rect;

    for (int i = 0; i < count; ++i)
        layoutDoor(out.doors[static_cast<size_t>(i)], sketch.doors[static_cast<size_t>(i)],
                   i > 0 ? &sketch.doors[static_cast<size_t>(i - 1)] : nullptr, i == count - 1, scale);
    out.stale = false;
}

PixelRect selectedInsertRect(const SketchLayout& layout, const DoorSketch& sketch,
                             const SketchSelection& selection) {
    const int door = selection.insertDoor;
    if (door < layout.visibleBegin() || door >= layout.visibleEnd(sketch.doorCount)) return PixelRect{};
    if (!selectedInsert(sketch, selection)) return PixelRect{};
    return layout.doors[static_cast<size_t>(door)].insert(selection.insertId);
}

PicturePlacement placePicture(const Insert& insert, PixelRect insertRect, int doorIndex,
                              const DoorTable& table, int doorCount) {
    PicturePlacement p{insertRect.width(), insertRect.height(), 0, 0};
    const int doors = sketch::doorsInUse(doorCount);
    if (!insert.scaleByDoors || doorIndex < 0 || doorIndex >= doors) return p;
    // The table holds no rectangles for doors past the count.
    const int first = std::clamp(insert.scaleFirstDoor, 0, doors - 1);
    const int last = std::clamp(insert.scaleLastDoor, 0, doors - 1);
    if (first > last) return p; // a range that names no door: the insert alone
    const PixelRect& own = table[static_cast<size_t>(doorIndex)];
    p.width = table[static_cast<size_t>(last)].right - table[static_cast<size_t>(first)].left;
    p.height = table[static_cast<size_t>(last)].height();
    for (int i = first; i < doorIndex; ++i)
        p.sourceX += table[static_cast<size_t>(i)].width();
    p.sourceX += insertRect.left - own.left;
    p.sourceY = insertRect.top - own.top;
    return p;
}

} // namespace dalvex::view
