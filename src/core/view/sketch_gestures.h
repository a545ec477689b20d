#pragma once
// The sketch view's mouse gestures in model units: which insert, divider or joint a pixel point of the
// layout names, and where a click or a drag puts a divider or a joint (the scale of the layout, then the 10
// mm grid for dividers and the 1 mm grid for joints). The view hands the answers to the editing operations.
#include "view/sketch_layout.h"

#include <cstdint>
#include <utility>

namespace dalvex::view {

// An insert or a divider of a door, or nothing (door -1).
struct ItemAt {
    int door = -1;
    int32_t id = 0;
    explicit operator bool() const { return door >= 0; }
};

// The insert under `p` in the first door shown that holds one; recorded as the layout's hit.
ItemAt insertAt(SketchLayout& layout, const DoorSketch& sketch, PixelPoint p);
// The divider under `p` likewise.
ItemAt dividerAt(SketchLayout& layout, const DoorSketch& sketch, PixelPoint p);

// Where a click at `p` splits: the insert under it and the position of the new divider in the door's
// coordinates, the mouse offset from the door's edge rounded to the divider grid. Nothing for a point over no
// insert or a layout without a usable scale.
struct SplitPlace {
    int door = -1;
    int32_t insertId = 0;
    int32_t position = 0;
    explicit operator bool() const { return door >= 0; }
};
SplitPlace splitPlace(SketchLayout& layout, const DoorSketch& sketch, PixelPoint p, bool vertical);
// The same in one door laid out at `scale`, whatever its index (`door` is put in the answer).
SplitPlace splitPlaceInDoor(const DoorLayout& layout, const Door& model, int door, PixelPoint p, double scale,
                            bool vertical);

// For the item of the last hit test: the rectangle the dragged outline may travel in and the item's own
// rectangle; both empty when nothing draggable was hit.
std::pair<PixelRect, PixelRect> beginDrag(const SketchLayout& layout, const DoorSketch& sketch);

// What releasing a drag at `p` asks for. `door` and `dividerId` name the hit item (a joint has no divider);
// a joint moves between `leftDoor` and the next by `growth`, a divider goes to `position`.
struct DragMove {
    int kind = kHitNothing; // kHitFrame (a joint), kHitDivider, or nothing to move
    int door = -1;
    int32_t dividerId = 0;
    int leftDoor = -1;
    int32_t growth = 0;
    int32_t position = 0;
};
DragMove dragMove(const SketchLayout& layout, const DoorSketch& sketch, PixelPoint p);

} // namespace dalvex::view
