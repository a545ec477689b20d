// Senfil's bill of materials: handle profiles on the sides only, dividers of two profiles, and a strip along
// the free sides of 4 mm glass.
#include "calc/systems.h"

namespace dalvex {

void DSSystemSenfil::collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) {
    result.clear();
    collectHandlePieces(sketch, result, color, false);
    collectDividersByProfile(sketch, result, color, false);
    collectStandardRails(sketch, result, color);
    collectBrushAndStopper(sketch, result, nullptr, true);
    emitRollerSet(sketch, result, ruleRollerSet("JLS"));
    collectGlassStrips(sketch, result, false);
    collectFillings(sketch, result);
}

} // namespace dalvex
