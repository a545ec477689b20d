#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

DSSystemNordel::DSSystemNordel(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemNordel, true, false) {}

void DSSystemNordel::recompute(DoorSketch& sketch, const OrderOptions&, bool keepDoorWidths) const {
    const int32_t w =
        doorShare(int64_t{sketch.width} - 20 + int64_t{sketch.overlapCount()} * 220, sketch.doorCount);
    recomputeDoors(sketch, keepDoorWidths, w, sketch.height);
    const Article* frame = ruleArticle("JN03");
    putFrames(sketch, frame, frame, -2 * int64_t{handleOf(sketch).joinDeduction});
    finishGeometry(sketch);
}

void DSSystemNordel::setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                                     int32_t plinthHeight) const {
    DSSystem::setSketchHeight(sketch, clampToInt(int64_t{height} - chipboardWidth - plinthHeight + 430),
                              chipboardWidth, plinthHeight);
}

int32_t DSSystemNordel::minPlinthHeight() const {
    return 650;
}

} // namespace dalvex
