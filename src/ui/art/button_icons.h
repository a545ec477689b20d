#pragma once
// The pictures the program draws for its own buttons, on a transparent ground: the right panel's tools, the
// insert size dialog's OK and cancel, and the scaling dialog's two ways of laying a material.
#include <QPixmap>
#include <QSize>

#include <string>

namespace dalvex::ui {

// The orientation of new dividers, 44 x 56: a door with a horizontal or a vertical bar; red while hovered.
QPixmap orientationPicture(bool vertical, bool hover);
// The drawing mode, 44 x 56: a pencil, crossed out while new dividers are not being drawn.
QPixmap drawModePicture(bool on, bool hover);
// The door parameters, 40 x 40: two doors side by side with the arrow of their widths; red while hovered.
QPixmap doorParametersPicture(bool hover);
// The cross-section of the Gerlit rail `code`, 58 x 58.
QPixmap railPicture(const std::string& code);
// Clearing the sketch, 44 x 56: a door whose dividers are swept away by an eraser; red while hovered.
QPixmap clearPicture(bool hover);
// OK (a tick) or cancel (a cross) filling `size`, brighter under the pointer.
QPixmap tickCrossPicture(bool tick, bool lit, QSize size);
// Laying a material, 22 x 22: one picture fitted to one insert, or one picture spread over three doors.
QPixmap materialFitPicture(bool acrossDoors);

} // namespace dalvex::ui
