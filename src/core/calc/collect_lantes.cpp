// Lantes' bill of materials: framed doors with a bottom profile only, dividers of two profiles, strips that
// hold 10 mm and 4 mm fillings.
#include "calc/systems.h"

namespace dalvex {

void DSSystemLantes::collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) {
    result.clear();
    collectHandlePieces(sketch, result, color, true);
    collectHorizontals(sketch, result, color);
    collectDividersByProfile(sketch, result, color, false);
    collectStandardRails(sketch, result, color);
    collectBrushAndStopper(sketch, result, nullptr, true);
    emitRollerSet(sketch, result, ruleRollerSet("Y1406"));
    collectGlassStrips(sketch, result, true);
    collectFillings(sketch, result);
}

} // namespace dalvex
