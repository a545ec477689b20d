#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

void DSSystemBorvik::collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color) const {
    result.clear();
    collectHandlePieces(sketch, options, result, color, false);
    collectHorizontals(sketch, options, result, color);
    collectDividers(sketch, options, result, color);

    const bool pivoting = pivotActive(sketch, options);
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
        emitRollerSet(sketch, options, result, ruleRollerSet(asymmetric ? "JB10/11B" : "JB010/011B"));
        collectBrushAndStopper(sketch, result, color, true);
    }
    collectFillings(sketch, result);
}

} // namespace dalvex
