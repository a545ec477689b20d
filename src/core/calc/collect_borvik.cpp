#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

void DSSystemBorvik::collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) {
    result.clear();
    collectHandlePieces(sketch, result, color, false);
    collectHorizontals(sketch, result, color);
    collectDividers(sketch, result, color);

    const bool pivoting = pivotActive(sketch);
    if (pivoting) {
        // Pivot doors hang in one profile along the top and the bottom of the opening.
        emitLength(result, ruleArticle("JB04"), clampToInt(2 * int64_t{sketch.width}), color);
        const Article* mechanism = pivotMechanism != nullptr ? pivotMechanism : ruleArticle("JB16");
        const int32_t count = rollerSetQuantity(doorsOf(sketch), dynamic_cast<const RollerSet*>(mechanism));
        emitPieces(result, mechanism, count);
    } else {
        collectStandardRails(sketch, result, color);
        const HandleProfile* handle = sketchHandle(sketch);
        const bool asymmetric = handle != nullptr && handle->asymmetric == 1;
        emitRollerSet(sketch, result, ruleRollerSet(asymmetric ? "JB10/11B" : "JB010/011B"));
        collectBrushAndStopper(sketch, result, color, true);
    }
    collectFillings(sketch, result);
}

} // namespace dalvex
