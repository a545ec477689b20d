#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

DSSystemQuorin::DSSystemQuorin(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemQuorin, false, false) {}

void DSSystemQuorin::recompute(DoorSketch& sketch, const OrderOptions&, bool keepDoorWidths) const {
    const Article& handle = handleOf(sketch);
    // The end brushes take their thickness off both ends of the opening.
    const int64_t brush = orNone(ruleArticle("JB13")).fillingInset;
    const int32_t w = doorShare(int64_t{sketch.overlapCount()} * handle.faceWidth - 2 * brush + sketch.width,
                                sketch.doorCount);
    recomputeDoors(sketch, keepDoorWidths, w, sketch.height);
    putFrames(sketch, ruleArticle("JQ08"), ruleArticle("JQ07"), -2 * int64_t{handle.joinDeduction});
    finishGeometry(sketch);
}

void DSSystemQuorin::setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                                     int32_t plinthHeight) const {
    DSSystem::setSketchHeight(sketch, clampToInt(int64_t{height} - 400), chipboardWidth, plinthHeight);
}

} // namespace dalvex
