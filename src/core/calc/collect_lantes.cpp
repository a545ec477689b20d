// Lantes' bill of materials: framed doors with a bottom profile only, dividers of two profiles, strips that
// hold 10 mm and 4 mm fillings.
#include "calc/systems.h"

namespace dalvex {

void DSSystemLantes::collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color) const {
    result.clear();
    collectHandlePieces(sketch, options, result, color, true);
    collectHorizontals(sketch, options, result, color);
    collectDividersByProfile(sketch, options, result, color, false);
    collectStandardRails(sketch, result, color);
    collectBrushAndStopper(sketch, result, nullptr, true);
    emitRollerSet(sketch, options, result, ruleRollerSet("Y1406"));
    collectGlassStrips(sketch, result, true);
    collectFillings(sketch, result);
}

} // namespace dalvex
