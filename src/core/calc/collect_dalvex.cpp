// Dalvex's bill of materials: two rows of doors with handle and back-door edges, divider profiles that also
// edge the doors top and bottom, filler strips and roller sets per wardrobe section.
#include "calc/collect_rules.h"
#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

void DSSystemDalvex::collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color) const {
    result.clear();
    collectFrontBackVerticals(sketch, options, result, color);
    collectDividersByProfile(sketch, options, result, color, true);
    for (std::string_view rail : {"JW01", "DX10NEW"})
        emitLength(result, ruleArticle(rail), sketch.width, color);

    // Filler strips at the opening's sides: a large one when the doors pair up, small ones otherwise.
    const int32_t n = doorsOf(sketch);
    const int64_t height = sketch.height;
    if (n % 2 == 0) emitLength(result, ruleArticle("DX07"), sketch.height, nullptr);
    emitLength(result, ruleArticle("DX06"), clampToInt((n % 2 + 1) * height), nullptr);

    const SectionRollers rollers = sectionRollers(n, "DX12", "DX12-1");
    emitRollerSet(sketch, options, result, ruleRollerSet(rollers.code), rollers.quantity);
    collectGlassStrips(sketch, result, true);
    collectFillings(sketch, result);
}

} // namespace dalvex
