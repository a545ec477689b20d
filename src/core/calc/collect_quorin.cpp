// Quorin's bill of materials: framed doors whose horizontal profiles come in one finish, always on the double
// track, with 4 mm glass held in a strip all round.
#include "calc/systems.h"

namespace dalvex {

void DSSystemQuorin::collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color) const {
    result.clear();
    collectHandlePieces(sketch, options, result, color, true);
    // The horizontal profiles are sold at one price whatever the colour.
    collectHorizontals(sketch, options, result, nullptr);
    collectDividers(sketch, options, result, color);
    // Quorin doors always run on the double guide and running profiles, even in one row.
    for (std::string_view rail : {"JB02", "JB05"})
        emitLength(result, ruleArticle(rail), sketch.width, color);
    collectBrushAndStopper(sketch, result, nullptr, false);
    // The default set does not depend on the handle profile.
    emitRollerSet(sketch, options, result, ruleRollerSet("JB10/11B"));
    collectPerimeterStrip(sketch, result, "DX11");
    collectFillings(sketch, result);
}

} // namespace dalvex
