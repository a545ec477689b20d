#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

DSSystemSenfil::DSSystemSenfil(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemSenfil, false, false) {}

void DSSystemSenfil::recompute(DoorSketch& sketch, const OrderOptions&, bool keepDoorWidths) const {
    const int32_t w = doorShare(int64_t{sketch.overlapCount()} * handleOf(sketch).faceWidth + sketch.width,
                                sketch.doorCount);
    recomputeDoors(sketch, keepDoorWidths, w, clampToInt(int64_t{sketch.height} - 390));
    assignFrameProfiles(sketch, nullptr, nullptr);
    finishGeometry(sketch);
}

} // namespace dalvex
