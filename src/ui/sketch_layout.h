#pragma once
// Where the doors of a sketch stand on screen: the pixel rectangle of every door, frame side, divider and
// insert, computed from the model alone so that drawing, hit tests and printing share one geometry.
#include "sketch/door_sketch.h"

#include <array>

namespace dalvex::ui {

// The door rectangles as laid out, before door 0 is widened by its left profile; pictures stretched over
// several doors are placed with it.
using DoorTable = std::array<PixelRect, kMaxDoors>;

// Scale (pixels per 0.1 mm) and top-left corner of a drawing centred in an area.
struct Placement {
    double scale = 0.0;
    PixelPoint origin;
};

// Fits the doors shown (all, or only the current door) into a view of the given client rectangle, leaving the
// margins that depend on the device resolution `dpi` (pixels per inch vertically).
Placement placeInView(const DoorSketch& sketch, PixelRect client, int dpi);

// Writes the sketch's `scale`, `gapRect` and the `rect` of every door, frame side, divider and insert of the
// first `doorCount` doors. With a current door the drawing is shifted so that this door starts at the origin.
DoorTable layout(DoorSketch& sketch, double scale, PixelPoint origin);

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
PicturePlacement placePicture(const Insert& insert, int doorIndex, const DoorTable& table, int doorCount);

} // namespace dalvex::ui
