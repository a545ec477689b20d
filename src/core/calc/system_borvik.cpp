#include "calc/geometry_util.h"
#include "calc/systems.h"
#include "io/binary_stream.h"

namespace dalvex {

DSSystemBorvik::DSSystemBorvik(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemBorvik, false, false) {}

void DSSystemBorvik::recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const {
    const Article& handle = handleOf(sketch);
    const int64_t n = doorsOf(sketch);
    int32_t w = 0;
    int32_t h = 0;
    if (pivotActive(sketch, options)) {
        // Pivot doors stand side by side with a 0.3 mm gap at every joint and at both walls.
        w = doorShare(int64_t{sketch.width} - 3 * (n + 1), sketch.doorCount);
        h = clampToInt(int64_t{sketch.height} - 250);
    } else {
        const int64_t brush = orNone(ruleArticle("JB13")).fillingInset;
        w = doorShare(int64_t{sketch.overlapCount()} * handle.faceWidth - 2 * brush + sketch.width,
                      sketch.doorCount);
        h = clampToInt(int64_t{sketch.height} + 10 * int64_t{own(options).heightOffset});
    }
    recomputeDoors(sketch, keepDoorWidths, w, h);
    putFrames(sketch, ruleArticle("JB08"), ruleArticle("JB07"), -2 * int64_t{handle.joinDeduction} + 10);
    finishGeometry(sketch);
}

void DSSystemBorvik::assignRows(DoorSketch& sketch, OrderOptions& options) const {
    uint8_t& pivot = own(options).pivot;
    // Pivot fittings hold at most two doors.
    if (sketch.doorCount > 2) pivot = 0;
    for (int i = 0; i < kMaxDoors; ++i)
        sketch.doors[i].row = pivot != 0 ? 0 : i % 2;
}

void DSSystemBorvik::writeSettings(BinaryWriter& out, const OrderOptions& options) const {
    DSSystem::writeSettings(out, options);
    out.u8(own(options).pivot);
    out.i32(own(options).heightOffset);
}

void DSSystemBorvik::readSettings(BinaryReader& in, int version, OrderOptions& options) const {
    DSSystem::readSettings(in, version, options);
    SystemOptions& mine = own(options);
    if (version > 4) mine.pivot = in.u8() != 0 ? 1 : 0;
    if (version > 5) mine.heightOffset = in.i32();
}

void DSSystemBorvik::bindRuleArticles() {
    if (lookup != nullptr) pivotMechanism = lookup->findArticle("JB16");
}

} // namespace dalvex
