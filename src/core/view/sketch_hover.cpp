#include "view/sketch_hover.h"

#include "records/records.h"
#include "sketch/door_limits.h"
#include "sketch/sketch_units.h"
#include "text/format.h"
#include "text/numbers.h"

#include <algorithm>

namespace dalvex::view {

namespace {

// Frame sides are tried in this order, so that a corner belongs to the upright side.
constexpr int kSideOrder[] = {kFrameLeft, kFrameRight, kFrameTop, kFrameBottom};

// The least width in pixels of the zone that takes hold of a door joint, centred on its profile: a profile
// drawn two pixels wide is hard to hit otherwise.
constexpr int kJointZone = 8;

int roundHalfUp(double v) {
    return floorToInt(v + 0.5);
}

} // namespace

std::string dividerKindWord(int dividerKind) {
    switch (dividerKind) {
    case 0:
        return "ДСП-ДСП";
    case 1:
        return "ДСП-Стекло";
    case 2:
        return "Универсальный";
    default:
        return std::string();
    }
}

HoverHit hoverTest(SketchLayout& layout, const DoorSketch& sketch, PixelPoint p) {
    layout.clearHits();
    if (layout.stale) return {};
    const int doorsShown = sketch::doorsInUse(sketch.doorCount);
    const int end = layout.visibleEnd(sketch.doorCount);
    auto record = [&](int door, int kind) {
        layout.hit.door = door;
        layout.hit.kind = kind;
    };
    // Only the joint to the next door can be dragged, and only while every door is shown.
    if (layout.currentDoor < 0)
        for (int i = layout.visibleBegin(); i < std::min(end, doorsShown - 1); ++i) {
            const PixelRect& r = layout.doors[i].frame[kFrameRight];
            const int extra = std::max(0, (kJointZone - r.width() + 1) / 2);
            const PixelRect reach{r.left - extra, r.top, r.right + extra, r.bottom};
            if (r.isEmpty() || !reach.contains(p)) continue;
            record(i, kHitFrame);
            layout.hit.frame = kFrameRight;
            layout.cursorKind = 2;
            return {r, i};
        }
    for (int i = layout.visibleBegin(); i < end; ++i) {
        const DoorLayout& door = layout.doors[i];
        if (!door.rect.contains(p)) continue;
        for (int side : kSideOrder) {
            const PixelRect& r = door.frame[side];
            if (!r.contains(p)) continue;
            record(i, kHitFrame);
            layout.hit.frame = side;
            const bool joint = side == kFrameRight && i < doorsShown - 1 && layout.currentDoor < 0;
            layout.cursorKind = joint ? 2 : 0;
            return {r, i};
        }
        for (const auto& [id, r] : door.dividers) {
            const Divider* d = sketch.doors[i].divider(id);
            if (!d || !r.contains(p)) continue;
            record(i, kHitDivider);
            layout.hit.dividerId = id;
            layout.cursorKind = d->vertical ? 2 : 1;
            return {r, i};
        }
        for (const auto& [id, r] : door.inserts) {
            if (!sketch.doors[i].insert(id) || !r.contains(p)) continue;
            record(i, kHitInsert);
            layout.hit.insertId = id;
            return {r, i};
        }
    }
    return {};
}

HoverDescription describeHover(const SketchLayout& layout, const DoorSketch& sketch) {
    HoverDescription h;
    const int n = sketch::doorsInUse(sketch.doorCount);
    const Hit& hit = layout.hit;
    if (hit.kind == kHitNothing || hit.door < 0 || hit.door >= n) {
        h.warning = doorWidthWarning(sketch);
        return h;
    }
    const int i = hit.door;
    const Door& door = sketch.doors[i];
    h.warning = doorWidthWarning(door);
    if (hit.kind == kHitInsert) {
        const Insert* ins = door.insert(hit.insertId);
        if (!ins) return h;
        h.kind = kHoverInsert;
        h.a = ins->panelWidth;
        h.b = ins->panelHeight;
        if (const Material* m = ins->material) {
            h.hasMaterial = true;
            h.title = m->collection + " / " + m->title();
            h.thickness = m->thickness;
        }
        if (ins->thicknessError) h.error = "ОШИБКА: Неподходящая толщина!";
    } else if (hit.kind == kHitDivider) {
        const Divider* d = door.divider(hit.dividerId);
        if (!d) return h;
        h.kind = d->vertical ? kHoverVertical : kHoverHorizontal;
        h.a = d->cutLength;
        h.c = d->position;
        if (d->profile) {
            h.title = d->profile->code + " (" + dividerKindWord(d->profile->dividerKind) + ")";
            h.b = d->profile->faceWidth;
        }
    } else if (hit.kind == kHitFrame && hit.frame >= 0 && hit.frame < 4) {
        const FrameProfile& side = door.frame[hit.frame];
        h.kind = kHoverFrame;
        h.side = hit.frame;
        h.a = side.cutLength;
        if (side.profile) {
            h.title = side.profile->code;
            h.b = side.profile->faceWidth;
        }
        if (h.side == kFrameLeft) {
            h.c = i > 0 ? sketch.doors[i - 1].width : 0;
            h.d = door.width;
        } else if (h.side == kFrameRight && i < n - 1) {
            h.c = door.width;
            h.d = sketch.doors[i + 1].width;
        } else {
            h.c = door.width;
        }
    }
    return h;
}

InfoLines infoLines(const HoverDescription& h) {
    InfoLines lines;
    const double a = h.a, b = h.b, c = h.c, d = h.d;
    switch (h.kind) {
    case kHoverInsert: {
        lines.first = h.hasMaterial ? "Материал: " + h.title : std::string("Материал не назначен");
        if (!h.error.empty()) lines.first += "   " + h.error;
        const double area = a * b / 100; // mm²
        lines.second = format(
            "Ширина: %5d мм;  Высота: %5d мм; Площадь: %5d мм2 (%5.3f м2); Толщина: %2.1f мм",
            roundHalfUp(a / 10), roundHalfUp(b / 10), roundHalfUp(area), area / 1000000, h.thickness / 10.0);
        break;
    }
    case kHoverFrame:
        lines.first = "Код: " + h.title;
        lines.second = format("Длина: %5.1f мм;  Ширина: %5.1f мм", a / 10, b / 10);
        if (h.side == kFrameTop || h.side == kFrameBottom) {
            lines.second += format(";  Ширина двери: %5.1f мм", c / 10);
        } else {
            if (h.c != 0) lines.second += format(";  Левая дверь: %5.1f мм", c / 10);
            if (h.d != 0) lines.second += format(";  Правая дверь: %5.1f мм", d / 10);
        }
        break;
    case kHoverVertical:
    case kHoverHorizontal:
        lines.first = "Код: " + h.title;
        lines.second =
            format(h.kind == kHoverVertical
                       ? "Длина: %5.1f мм;  Ширина: %5.1f мм;  Смещение от левого края двери: %5.1f мм"
                       : "Длина: %5.1f мм;  Ширина: %5.1f мм;  Смещение от верхнего края двери: %5.1f мм",
                   a / 10, b / 10, c / 10);
        break;
    default:
        break;
    }
    if (!h.warning.empty()) lines.first += (lines.first.empty() ? "" : "   ") + h.warning;
    return lines;
}

PointCommands pointCommands(const SketchLayout& layout, const DoorSketch& sketch, int hoverDoor, int copiedDoor) {
    PointCommands c;
    c.door = hoverDoor;
    const int inUse = sketch::doorsInUse(sketch.doorCount);
    if (copiedDoor >= 0 && copiedDoor < inUse) {
        c.pasteFrom = copiedDoor;
        c.pasteAllowed = copiedDoor != hoverDoor;
    }
    c.alignHorizontal = sketch.hasDivider(hoverDoor, false);
    c.alignVertical = sketch.hasDivider(hoverDoor, true);
    const Hit& hit = layout.hit;
    c.deleteItem = (hit.kind == kHitInsert || hit.kind == kHitDivider) && hit.door >= 0 && hit.door < inUse;
    return c;
}

} // namespace dalvex::view
