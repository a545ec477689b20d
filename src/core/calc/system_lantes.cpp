#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

DSSystemLantes::DSSystemLantes(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemLantes, false, false) {}

void DSSystemLantes::recompute(DoorSketch& sketch, const OrderOptions&, bool keepDoorWidths) const {
    const int32_t w = doorShare(int64_t{sketch.overlapCount()} * handleOf(sketch).faceWidth + sketch.width,
                                sketch.doorCount);
    recomputeDoors(sketch, keepDoorWidths, w, clampToInt(int64_t{sketch.height} - 330));
    assignFrameProfiles(sketch, nullptr, ruleArticle("JL14"));
    finishGeometry(sketch);
}

} // namespace dalvex
