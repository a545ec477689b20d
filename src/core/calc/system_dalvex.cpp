#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

DSSystemDalvex::DSSystemDalvex(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemDalvex, true, true) {}

void DSSystemDalvex::recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const {
    const int32_t w = doorShare(int64_t{sketch.overlapCount()} * 150 + sketch.width, sketch.doorCount);
    recomputeDoors(sketch, keepDoorWidths, w, sketch.height);
    // DX13 also serves as the top and bottom edge profile unless the edge profiles are switched off.
    const Article* edge = nullptr;
    if (own(options).noEdgeProfiles == 0) {
        edge = findDividerProfile("DX13");
        if (edge == nullptr && lookup != nullptr) edge = lookup->findDividerProfile("DX13");
    }
    assignFrameProfiles(sketch, edge, edge);
    finishGeometry(sketch);
}

void DSSystemDalvex::setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                                     int32_t plinthHeight) const {
    DSSystem::setSketchHeight(sketch, clampToInt(int64_t{height} - chipboardWidth - plinthHeight + 430),
                              chipboardWidth, plinthHeight);
}

int32_t DSSystemDalvex::minPlinthHeight() const {
    return 540;
}

} // namespace dalvex
