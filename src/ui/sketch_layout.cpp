#include "sketch_layout.h"

#include "records/records.h"
#include "text/numbers.h"

#include <algorithm>
#include <cmath>

namespace dalvex::ui {

namespace {

int32_t faceWidth(const Article* profile) {
    return profile ? profile->faceWidth : 0;
}

// A divider's extent across its own line, in pixels from the door's left (vertical) or top (horizontal) edge.
void placeAcross(Divider& d, const Door& door, double scale) {
    const int32_t w = d.profile ? d.profile->faceWidth : 0;
    const int start =
        floorToInt((d.axis - w / 2) * scale + 0.5) + (d.vertical ? door.rect.left : door.rect.top);
    const int end = start + floorToInt(w * scale + 0.5);
    // A very thin profile would vanish on screen; it stays three pixels wide.
    const int lo = std::min(start, end - 3);
    if (d.vertical) {
        d.rect.left = lo;
        d.rect.right = end;
    } else {
        d.rect.top = lo;
        d.rect.bottom = end;
    }
}

// Lays out the frame sides, dividers and inserts of one door whose rectangle is set.
void layoutDoor(Door& door, const Door* previous, bool last, double scale) {
    auto f = [scale](int32_t v) { return ceilToInt(v * scale); };
    const PixelRect r = door.rect;

    PixelRect& left = door.frame[kFrameLeft].rect;
    const int w0 = f(faceWidth(door.frame[kFrameLeft].profile));
    left = {r.left - w0, r.top, r.left, r.bottom};
    if (!previous) {
        door.rect.left -= w0;
    } else if (previous->row == door.row) {
        // Doors in one row meet edge to edge: the side lies inside the door. A door of the other row overlaps
        // its neighbour, and the side stays outside, over the neighbour.
        left.left += w0;
        left.right += w0;
    }

    PixelRect& right = door.frame[kFrameRight].rect;
    const Article* rightProfile = door.frame[kFrameRight].profile;
    const int w2 = rightProfile ? f(rightProfile->faceWidth) : (last ? 0 : 4);
    right = {r.right - w2, r.top, r.right, r.bottom};

    door.frame[kFrameTop].rect = {left.right, r.top, right.left,
                                  r.top + f(faceWidth(door.frame[kFrameTop].profile))};
    door.frame[kFrameBottom].rect = {left.right, r.bottom - f(faceWidth(door.frame[kFrameBottom].profile)),
                                     right.left, r.bottom};
    const PixelRect inner{left.right, door.frame[kFrameTop].rect.bottom, right.left,
                          door.frame[kFrameBottom].rect.top};

    // Across first, then along: the ends of a divider depend on the across extent of the dividers it stops
    // at, whatever their ids.
    for (auto& [id, d] : door.dividers)
        placeAcross(d, door, scale);
    for (auto& [id, d] : door.dividers) {
        const Divider* start = door.divider(d.startId);
        const Divider* end = door.divider(d.endId);
        if (d.vertical) {
            d.rect.top = start ? start->rect.bottom : inner.top;
            d.rect.bottom = end ? end->rect.top : inner.bottom;
        } else {
            d.rect.left = start ? start->rect.right : inner.left;
            d.rect.right = end ? end->rect.left : inner.right;
        }
    }

    for (auto& [id, in] : door.inserts) {
        const Divider* l = door.divider(in.leftId);
        const Divider* t = door.divider(in.topId);
        const Divider* rt = door.divider(in.rightId);
        const Divider* b = door.divider(in.bottomId);
        in.rect = {l ? l->rect.right : inner.left, t ? t->rect.bottom : inner.top,
                   rt ? rt->rect.left : inner.right, b ? b->rect.top : inner.bottom};
    }
}

int shownDoorCount(const DoorSketch& sketch) {
    return std::clamp(sketch.doorCount, 0, kMaxDoors);
}

} // namespace

Placement placeInView(const DoorSketch& sketch, PixelRect client, int dpi) {
    const int m = dpi * 40 / 72;
    const PixelRect area{client.left + m, client.top + dpi * 10 / 72 + m, client.right - m,
                         client.bottom - m};
    int32_t extentWidth = sketch.doorsTotalWidth;
    int32_t extentHeight = sketch.height;
    if (sketch.currentDoor >= 0 && sketch.currentDoor < kMaxDoors) {
        const Door& door = sketch.doors[static_cast<size_t>(sketch.currentDoor)];
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

DoorTable layout(DoorSketch& sketch, double scale, PixelPoint origin) {
    sketch.scale = scale;
    const int count = shownDoorCount(sketch);

    int64_t coveredWidth = 0;
    int x = origin.x;
    for (int i = 0; i < count; ++i) {
        Door& door = sketch.doors[static_cast<size_t>(i)];
        const int w = truncToInt(door.width * scale);
        door.rect = {x, origin.y, x + w, origin.y + truncToInt(door.height * scale)};
        x = door.rect.right;
        coveredWidth += door.width;
    }

    const double uncovered = static_cast<double>(sketch.doorsTotalWidth - coveredWidth);
    const int gapWidth = std::max(0, truncToInt(uncovered * scale));
    sketch.gapRect = {x, origin.y, x + gapWidth, origin.y + truncToInt(sketch.doors[0].height * scale)};

    if (sketch.currentDoor >= 0) {
        int shift = 0;
        for (int i = 0; i < std::min(sketch.currentDoor, count); ++i)
            shift += sketch.doors[static_cast<size_t>(i)].rect.width();
        for (int i = 0; i < count; ++i) {
            PixelRect& r = sketch.doors[static_cast<size_t>(i)].rect;
            r.left -= shift;
            r.right -= shift;
        }
        sketch.gapRect.left -= shift;
        sketch.gapRect.right -= shift;
    }

    DoorTable table{};
    for (int i = 0; i < count; ++i)
        table[static_cast<size_t>(i)] = sketch.doors[static_cast<size_t>(i)].rect;

    for (int i = 0; i < count; ++i)
        layoutDoor(sketch.doors[static_cast<size_t>(i)],
                   i > 0 ? &sketch.doors[static_cast<size_t>(i - 1)] : nullptr, i == count - 1, scale);
    return table;
}

PicturePlacement placePicture(const Insert& insert, int doorIndex, const DoorTable& table, int doorCount) {
    PicturePlacement p{insert.rect.width(), insert.rect.height(), 0, 0};
    const int doors = std::clamp(doorCount, 0, kMaxDoors);
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
    p.sourceX += insert.rect.left - own.left;
    p.sourceY = insert.rect.top - own.top;
    return p;
}

} // namespace dalvex::ui
