#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

DSSystemZerkan::DSSystemZerkan(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemZerkan, true, false) {}

void DSSystemZerkan::recompute(DoorSketch& sketch, const OrderOptions&, bool keepDoorWidths) const {
    const int32_t w =
        doorShare(int64_t{sketch.width} - 40 + int64_t{sketch.overlapCount()} * 140, sketch.doorCount);
    recomputeDoors(sketch, keepDoorWidths, w, sketch.height);
    // The handle profile frames the door on all four sides.
    putFrames(sketch, sketch.handleProfile, sketch.handleProfile, 0);
    finishGeometry(sketch);
}

void DSSystemZerkan::setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                                     int32_t plinthHeight) const {
    DSSystem::setSketchHeight(sketch, clampToInt(int64_t{height} - chipboardWidth - plinthHeight + 430),
                              chipboardWidth, plinthHeight);
}

int32_t DSSystemZerkan::minPlinthHeight() const {
    return 650;
}

} // namespace dalvex
