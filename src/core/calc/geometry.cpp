// Door sizes, frame profiles, divider cut lengths and filling panels shared by the systems.
#include "calc/ds_system.h"

#include "calc/geometry_util.h"
#include "sketch/sketch_units.h"
#include "text/numbers.h"

namespace dalvex {

namespace {

// Half the filling inset of a bounding divider: each side of a divider holds half of its panel allowance.
int32_t halfInset(const Divider* d) {
    return d != nullptr && d->profile != nullptr ? d->profile->fillingInset / 2 : 0;
}

int32_t frameInset(const Door& door, int side) {
    const Article* p = door.frame[side].profile;
    return p != nullptr ? p->fillingInset : 0;
}

} // namespace

const Article& DSSystem::handleOf(const DoorSketch& sketch) {
    return orNone(sketch.handleProfile);
}

int32_t DSSystem::doorsOf(const DoorSketch& sketch) {
    return sketch::doorsInUse(sketch.doorCount);
}

void DSSystem::recomputeDoors(DoorSketch& sketch, bool keepDoorWidths, int32_t doorWidth, int32_t doorHeight,
                              int32_t totalWidth) const {
    if (keepDoorWidths) return;
    DoorProportions ratios{};
    const bool failed = saveDoorProportions(sketch, ratios);
    const int64_t total = totalWidth >= 0 ? totalWidth : int64_t{sketch.doorCount} * doorWidth;
    if (total >= 0) sketch.doorsTotalWidth = clampToInt(total);
    applyDoorSize(sketch, doorHeight, doorWidth);
    if (!failed) restoreDoorProportions(sketch, ratios);
}

void DSSystem::finishGeometry(DoorSketch& sketch) const {
    computeDividerCutLengths(sketch);
    computePanels(sketch);
}

void DSSystem::applyDoorSize(DoorSketch& sketch, int32_t height, int32_t width) const {
    const int n = doorsOf(sketch);
    const bool countChanged = sketch.doorCount != sketch.previousDoorCount;
    bool changed = false;
    if (sketch.width != sketch.previousWidth || countChanged || sketch.resizePending) {
        for (int i = 0; i < n; ++i) {
            Door& door = sketch.doors[i];
            if (door.width == width) continue;
            door.previousWidth = door.width;
            door.width = width;
            changed = true;
        }
    }
    bool rescale = changed;
    if (sketch.height != sketch.previousHeight || countChanged || sketch.resizePending) {
        for (int i = 0; i < n; ++i) {
            Door& door = sketch.doors[i];
            if (door.height == height) continue;
            door.previousHeight = door.height;
            door.height = height;
        }
        rescale = true;
    }
    if (rescale) {
        for (int i = 0; i < n; ++i)
            sketch.doors[i].rescale(false);
        sketch.resizePending = false;
    }
    sketch.previousWidth = sketch.width;
    sketch.previousHeight = sketch.height;
    sketch.previousDoorCount = sketch.doorCount;
}

bool DSSystem::saveDoorProportions(const DoorSketch& sketch, DoorProportions& ratios) const {
    if (sketch.doors[0].width == 0 || sketch.doorCount != sketch.previousDoorCount) return true;
    // Without a total there is nothing to take the proportions of.
    if (sketch.doorsTotalWidth <= 0) return true;
    const double total = sketch.doorsTotalWidth;
    for (int i = 0; i < kMaxDoors; ++i)
        ratios[i] = sketch.doors[i].width / total;
    return false;
}

void DSSystem::restoreDoorProportions(DoorSketch& sketch, const DoorProportions& ratios) const {
    const int n = doorsOf(sketch);
    if (n <= 1) return;
    const int32_t total = sketch.doorsTotalWidth;
    int64_t used = 0;
    for (int i = 0; i < n; ++i) {
        Door& door = sketch.doors[i];
        // The last door absorbs the rounding of the others.
        const int32_t width = i + 1 < n ? floorToInt(ratios[i] * total + 0.5) : clampToInt(total - used);
        used += width;
        if (door.width != width) {
            door.previousWidth = door.width;
            door.width = width;
        }
        door.rescale(false);
    }
}

void DSSystem::putFrames(DoorSketch& sketch, const Article* top, const Article* bottom,
                         int64_t topBottomAdjust) const {
    const Article* handle = sketch.handleProfile;
    for (int i = 0; i < doorsOf(sketch); ++i) {
        Door& door = sketch.doors[i];
        door.frame[kFrameLeft].profile = handle;
        door.frame[kFrameRight].profile = handle;
        door.frame[kFrameLeft].cutLength = door.height;
        door.frame[kFrameRight].cutLength = door.height;
        if (handle == nullptr) continue;
        const int32_t cut = clampToInt(int64_t{door.width} + topBottomAdjust);
        door.frame[kFrameTop].profile = top;
        door.frame[kFrameBottom].profile = bottom;
        door.frame[kFrameTop].cutLength = cut;
        door.frame[kFrameBottom].cutLength = cut;
    }
}

void DSSystem::assignFrameProfiles(DoorSketch& sketch, const Article* top, const Article* bottom) const {
    const int64_t end = systemKind == kSystemDalvex ? 10 : -10;
    putFrames(sketch, top, bottom, -2 * int64_t{handleOf(sketch).joinDeduction} + end);
}

void DSSystem::computeDividerCutLengths(DoorSketch& sketch) const {
    // How a horizontal divider ends at a vertical frame side, beyond the side's join deduction.
    int32_t frameEnd = 0;
    switch (systemKind) {
    case kSystemLantes:
    case kSystemDalvex:
    case kSystemBorvik:
        frameEnd = 5;
        break;
    case kSystemSenfil:
    case kSystemQuorin:
    case kSystemZerkan:
    case kSystemNordel:
        frameEnd = 0;
        break;
    default:
        frameEnd = -5;
        break;
    }
    const bool crossOnly =
        systemKind == kSystemZerkan; // Zerkan's vertical dividers only lose the cross deduction
    for (int i = 0; i < doorsOf(sketch); ++i) {
        Door& door = sketch.doors[i];
        const Article& leftFrame = orNone(door.frame[kFrameLeft].profile);
        const Article& rightFrame = orNone(door.frame[kFrameRight].profile);
        const Article& topFrame = orNone(door.frame[kFrameTop].profile);
        const Article& bottomFrame = orNone(door.frame[kFrameBottom].profile);
        for (auto& [id, d] : door.dividers) {
            const Divider* start = door.divider(d.startId);
            const Divider* end = door.divider(d.endId);
            const auto crossEnd = [&](const Divider* x, bool insetToo) -> int64_t {
                const DividerProfile* p = x->profile;
                if (p == nullptr) return 0;
                return (insetToo ? p->fillingInset / 2 : 0) - int64_t{p->crossDeduction};
            };
            int64_t cut = d.length;
            if (d.vertical == 0) {
                cut += start != nullptr ? crossEnd(start, true) : frameEnd - int64_t{leftFrame.joinDeduction};
                cut += end != nullptr ? crossEnd(end, true) : frameEnd - int64_t{rightFrame.joinDeduction};
            } else {
                cut += start != nullptr ? crossEnd(start, !crossOnly) : -int64_t{topFrame.faceWidth};
                cut += end != nullptr ? crossEnd(end, !crossOnly) : -int64_t{bottomFrame.faceWidth};
            }
            d.cutLength = clampToInt(cut);
            d.axis =
                clampToInt(int64_t{d.position} - (d.profile != nullptr ? d.profile->fillingInset : 0) / 2);
        }
    }
}

void DSSystem::computePanels(DoorSketch& sketch) const {
    for (int i = 0; i < doorsOf(sketch); ++i) {
        Door& door = sketch.doors[i];
        const int32_t topInset = frameInset(door, kFrameTop);
        const int32_t bottomInset = frameInset(door, kFrameBottom);
        for (auto& [id, insert] : door.inserts) {
            const Divider* top = door.divider(insert.topId);
            const Divider* bottom = door.divider(insert.bottomId);
            const Divider* left = door.divider(insert.leftId);
            const Divider* right = door.divider(insert.rightId);
            insert.panelY = clampToInt(int64_t{insert.top} + (top ? halfInset(top) : topInset));
            insert.panelHeight = clampToInt(int64_t{insert.bottom} - insert.panelY -
                                            (bottom ? halfInset(bottom) : bottomInset));
            insert.panelX =
                clampToInt(int64_t{insert.left} + (left ? halfInset(left) : frameInset(door, kFrameLeft)));
            insert.panelWidth = clampToInt(int64_t{insert.right} - insert.panelX -
                                           (right ? halfInset(right) : frameInset(door, kFrameRight)));
            adjustPanel(insert, topInset, bottomInset);
        }
    }
}

} // namespace dalvex
