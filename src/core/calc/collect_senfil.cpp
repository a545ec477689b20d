// Senfil's bill of materials: handle profiles on the sides only, dividers of two profiles, and a strip along
// the free sides of 4 mm glass.
#include "calc/systems.h"

namespace dalvex {

void DSSystemSenfil::collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color) const {
    result.clear();
    collectHandlePieces(sketch, options, result, color, false);
    collectDividersByProfile(sketch, options, result, color, false);
    collectStandardRails(sketch, result, color);
    collectBrushAndStopper(sketch, result, nullptr, true);
    emitRollerSet(sketch, options, result, ruleRollerSet("JLS"));
    collectGlassStrips(sketch, result, false);
    collectFillings(sketch, result);
}

} // namespace dalvex
