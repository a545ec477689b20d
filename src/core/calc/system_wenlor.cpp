#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

DSSystemWenlor::DSSystemWenlor(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemWenlor, true, false) {}

void DSSystemWenlor::recompute(DoorSketch& sketch, const OrderOptions&, bool keepDoorWidths) const {
    const int32_t w = doorShare(int64_t{sketch.overlapCount()} * handleOf(sketch).faceWidth + sketch.width,
                                sketch.doorCount);
    recomputeDoors(sketch, keepDoorWidths, w, clampToInt(int64_t{sketch.height} + 300));
    assignFrameProfiles(sketch, nullptr, nullptr);
    finishGeometry(sketch);
}

void DSSystemWenlor::setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                                     int32_t plinthHeight) const {
    DSSystem::setSketchHeight(sketch, clampToInt(int64_t{height} - plinthHeight + 100), chipboardWidth,
                              plinthHeight);
}

int32_t DSSystemWenlor::minPlinthHeight() const {
    return 540;
}

} // namespace dalvex
