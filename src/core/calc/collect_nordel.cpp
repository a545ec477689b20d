// Nordel's bill of materials: two rows of doors with handle and back-door edges on the Zerkan track, coloured
// filler strips and a seal round 4 mm glass.
#include "calc/collect_rules.h"
#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

void DSSystemNordel::collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color) const {
    result.clear();
    collectFrontBackVerticals(sketch, options, result, color);
    collectDividers(sketch, options, result, color);
    for (std::string_view rail : kZerkanTrack)
        emitLength(result, ruleArticle(rail), clampToInt(int64_t{sketch.width} - kZerkanTrackDeduction),
                   color);
    // One small and one large filler strip, each the height of the opening, in the profile colour.
    for (std::string_view filler : {"JN06", "JN07"})
        emitLength(result, ruleArticle(filler), sketch.height, color);
    emitRollerSet(sketch, options, result, ruleRollerSet("JNB01"), setsForPairs(doorsOf(sketch)));
    collectPerimeterStrip(sketch, result, "JN17");
    collectFillings(sketch, result);
}

} // namespace dalvex
