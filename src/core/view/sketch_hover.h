#pragma once
// What lies under the mouse in the sketch view: the hit test over the rectangles of the view's layout, the
// description of the hit item for the info line, and the commands a point offers. Kept apart from the
// widgets so that it can be exercised on a layout alone.
#include "view/sketch_layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dalvex::view {

// "ДСП-ДСП", "ДСП-Стекло" or "Универсальный" for divider kinds 0, 1, 2; empty for any other.
std::string dividerKindWord(int dividerKind);

// The item found by the hover test: its rectangle (empty when nothing) and its door index (-1 when nothing).
struct HoverHit {
    PixelRect rect;
    int door = -1;
};

// Finds the frame side, divider or insert under `p` in the doors shown and records it as the layout's hit and
// `cursorKind` (both cleared first). Finds nothing while the layout is stale: its rectangles are then out of
// date.
HoverHit hoverTest(SketchLayout& layout, const DoorSketch& sketch, PixelPoint p);

enum HoverKind {
    kHoverNothing = 0,
    kHoverInsert = 1,
    kHoverFrame = 2,
    kHoverVertical = 3,
    kHoverHorizontal = 4
};

// The info line's description of the hovered item (lengths in 0.1 mm).
struct HoverDescription {
    int kind = kHoverNothing;
    std::string title; // insert: collection / material title; frame side: code; divider: code (kind word)
    bool hasMaterial = false;
    int32_t a = 0, b = 0; // insert: panel width and height; frame side, divider: cut length and face width
    int32_t thickness = 0;
    std::string error;
    int32_t c = 0, d = 0; // frame side: door widths beside it; divider: c = its position
    int side = 0;         // frame side: 0 left, 1 top, 2 right, 3 bottom
    std::string warning;  // the hovered door's width out of its limits; nothing hovered: any door's
};

// Describes the layout's hit, when it lies in one of the doors 0 .. doorCount - 1.
HoverDescription describeHover(const SketchLayout& layout, const DoorSketch& sketch);

// The two lines the info line shows for a description.
struct InfoLines {
    std::string first;
    std::string second;
};
InfoLines infoLines(const HoverDescription& h);

// What a point over door `door` offers, from the hit of the last hover test: the door can be copied; the
// door copied before (`pasteFrom`, -1 none) pasted onto it, unless it is that door; its horizontal and its
// vertical dividers evenly spread; the insert's material or the divider under the point deleted.
struct PointCommands {
    int door = -1;
    int pasteFrom = -1;
    bool pasteAllowed = false;
    bool alignHorizontal = false;
    bool alignVertical = false;
    bool deleteItem = false;
};

// `copiedDoor` is the door the user copied (-1 none); only a door of the sketch can be pasted from.
PointCommands pointCommands(const SketchLayout& layout, const DoorSketch& sketch, int hoverDoor, int copiedDoor);

} // namespace dalvex::view
