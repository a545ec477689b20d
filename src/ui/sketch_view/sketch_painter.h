#pragma once
// Draws the laid-out doors of a sketch: frames in the profile colour, inserts with their material pictures or
// the hatches, door numbers, the uncovered gap and, on request, the insert sizes.
#include "view/sketch_layout.h"

class QPainter;
class QRect;

namespace dalvex {
struct ProfileColor;
}

namespace dalvex::ui {

class Artwork;
class PictureCache;

// What the drawing takes besides the sketch.
struct SketchStyle {
    const Artwork& artwork;
    PictureCache& pictures;
    const ProfileColor* frameColor; // null: white frames
    bool showInsertSizes = false;
    int dpi = 96; // pixels per inch vertically of the device drawn on
    // The resolution the texts are sized for: 96 keeps the screen's pixel sizes; a printer's own resolution
    // gives them the same size in points on paper.
    int textDpi = 96;
};

// Draws the doors shown (all of the first `doorCount`, or only the layout's current door) as `layout` placed
// them.
void drawDoors(QPainter& painter, const DoorSketch& sketch, const view::SketchLayout& layout,
               const SketchStyle& style);

// Every door scaled to fit `rect` (a page area), from its top edge and centred across: the page's own layout.
view::SketchLayout pageLayout(const DoorSketch& sketch, const QRect& rect);

// Draws the sketch as `pageLayout` places it and moves the top of `rect` below the drawing.
void printSketch(QPainter& painter, QRect& rect, const DoorSketch& sketch, const SketchStyle& style);

} // namespace dalvex::ui
