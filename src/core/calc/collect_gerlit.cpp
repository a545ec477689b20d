// Gerlit's bill of materials: frameless doors hung in a running and a guide profile and held by rollers,
// fixings, connectors and corner pieces counted per door.
#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

void DSSystemGerlit::collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color) const {
    result.clear();
    const int32_t n = doorsOf(sketch);
    // Options without the references (a fresh OrderOptions) hold the defaults, as in the geometry.
    const SystemOptions& mine = own(options);
    const Article* running = mine.runningProfile != nullptr ? mine.runningProfile : ruleArticle("JG01");
    const Article* guide = mine.guideProfile != nullptr ? mine.guideProfile : ruleArticle("JG04");
    const bool twoRails = running == nullptr || running->code == "JG01";
    const bool inlaidGuide = guide == nullptr || guide->code == "JG04";

    // Rails: the double running profile needs its guide twice over.
    emitLength(result, running, sketch.width, color);
    emitLength(result, guide, clampToInt((twoRails ? 2 : 1) * int64_t{sketch.width}), color);

    // Rollers and the guide pieces under every door.
    emitRollerSet(sketch, options, result, ruleRollerSet("JG05"));
    emitPieces(result, ruleArticle("JG16"), 2 * n);

    // Fixings: screws, stoppers between doors on the double profile, the end catches and the middle catches.
    emitPieces(result, ruleArticle("JG06"), 2 * n);
    if (twoRails) emitPieces(result, ruleArticle("JG07"), n - 1);
    emitPieces(result, ruleArticle("JG08"), 1);
    emitPieces(result, ruleArticle("JG09"), 1);
    if (n - 2 > 0) emitPieces(result, ruleArticle("JG10"), n - 2);

    // Connectors of the running profile and of the doors.
    emitPieces(result, ruleArticle("JG11"), 2 * n + 1);
    emitPieces(result, ruleArticle("JG12/JG13"), 4 * n);

    // Corner pieces only with the surface-mounted guide: two per door, front corners for half the doors
    // (rounded down), back corners for the rest.
    if (!inlaidGuide) {
        const int32_t front = 2 * (n / 2);
        const int32_t back = 2 * (n / 2 + n % 2);
        if (front > 0) emitPieces(result, ruleArticle("JG14"), front);
        if (back > 0) emitPieces(result, ruleArticle("JG15"), back);
    }
    collectFillings(sketch, result);
}

} // namespace dalvex
