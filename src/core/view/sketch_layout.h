#pragma once
// Where the doors of a sketch stand in a view: the pixel rectangle of every door, frame side, divider and
// insert, computed from the model alone. Each view (the screen, a printed page) keeps its own layout record,
// so drawing, hit tests and printing share one geometry and none of them writes into the model.
#include "sketch/door_sketch.h"
#include "sketch/sketch_selection.h"
#include "view/geometry_types.h"

#include <array>
#include <cstdint>
#include <map>

namespace dalvex::view {

// The door rectangles as laid out, before door 0 is widened by its left profile; pictures stretched over
// several doors are placed with it.
using DoorTable = std::array<PixelRect, kMaxDoors>;

enum HitKind { kHitNothing = 0, kHitFrame = 1, kHitDivider = 2, kHitInsert = 3 };

// One door as laid out.
struct DoorLayout {
    PixelRect rect;                        // door 0 widened by its left profile
    std::array<PixelRect, 4> frame{};      // by FrameSide
    std::map<int32_t, PixelRect> inserts;  // by insert id
    std::map<int32_t, PixelRect> dividers; // by divider id

    // Empty for an id the layout does not hold.
    PixelRect insert(int32_t id) const;
    PixelRect divider(int32_t id) const;
    bool operator==(const DoorLayout&) const = default;
};

// What the last hit test found: one item of one door, or nothing.
struct Hit {
    int door = -1;
    int kind = kHitNothing;
    int frame = -1; // frame side, -1 none
    int32_t insertId = 0;
    int32_t dividerId = 0;
    bool operator==(const Hit&) const = default;
};

struct SketchLayout {
    std::array<DoorLayout, kMaxDoors> doors;
    DoorTable table{};
    double scale = 0.0; // pixels per 0.1 mm
    PixelRect gapRect;
    int currentDoor = -1; // -1 all doors shown; 0..9 only that door
    Hit hit;
    int cursorKind = 0; // 0 nothing draggable, 1 horizontal divider, 2 vertical divider or door joint
    // The model changed since the layout was made: its rectangles are out of date until laid out again.
    bool stale = true;

    // Indices of the doors shown: the current door only, or doors 0..doorCount-1.
    int visibleBegin() const;
    int visibleEnd(int32_t doorCount) const;
    void clearHits();
    bool operator==(const SketchLayout&) const = default;
};

// Scale (pixels per 0.1 mm) and top-left corner of a drawing centred in an area.
struct Placement {
    double scale = 0.0;
    PixelPoint origin;
};

// Fits the doors shown (all, or only `currentDoor`) into a view of the given client rectangle, leaving the
// margins that depend on the device resolution `dpi` (pixels per inch vertically).
Placement placeInView(const DoorSketch& sketch, int currentDoor, PixelRect client, int dpi);

// Lays out the first `doorCount` doors at `scale` from `origin` into `out`, which keeps its current door and
// its hits (they name items by id). With a current door the drawing is shifted so that this door starts at
// the origin.
void layOut(SketchLayout& out, const DoorSketch& sketch, double scale, PixelPoint origin);

// The rectangle of the selected insert among the doors shown; empty when none.
PixelRect selectedInsertRect(const SketchLayout& layout, const DoorSketch& sketch,
                             const SketchSelection& selection);

// How an insert's material picture is placed: the size the picture is reduced to and the point of the reduced
// picture that appears at the insert's top-left corner. A picture stretched over a range of doors runs across
// them as if they were one panel; of a range reaching past the `doorCount` doors there are, only the doors
// that exist are covered (the insert keeps its range, so that the doors coming back bring the picture back).
struct PicturePlacement {
    int width = 0;
    int height = 0;
    int sourceX = 0;
    int sourceY = 0;
};
PicturePlacement placePicture(const Insert& insert, PixelRect insertRect, int doorIndex,
                              const DoorTable& table, int doorCount);

} // namespace dalvex::view
