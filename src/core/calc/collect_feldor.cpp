// Feldor's bill of materials: framed doors hung from a top running profile with a decorative cover, mounted
// inside the opening or in front of it.
#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

namespace {

// Doors mounted inside run in two rows only when they pair up; otherwise one track covers the opening.
bool pairsOfDoors(int32_t doorCount) {
    return doorCount == 2 || doorCount == 4;
}

} // namespace

void DSSystemFeldor::collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color) const {
    result.clear();
    collectHandlePieces(sketch, options, result, color, false);
    collectHorizontals(sketch, options, result, color);
    collectDividers(sketch, options, result, color);

    const int32_t n = doorsOf(sketch);
    int64_t runningLength = sketch.width;
    int64_t coverLength = sketch.width;
    if (own(options).mountInside == 0) {
        // In front of the opening the track runs past it by the doors' own width.
        int64_t doorWidths = 0;
        for (int k = 0; k < n; ++k)
            doorWidths += sketch.doors[k].width;
        runningLength = int64_t{sketch.width} + 100 + doorWidths;
        coverLength = runningLength;
    } else if (pairsOfDoors(n)) {
        runningLength = 2 * int64_t{sketch.width};
    }
    emitLength(result, ruleArticle("FD01"), clampToInt(runningLength), color);
    emitLength(result, ruleArticle("FD02"), clampToInt(coverLength), color);

    // The symmetric JB100 handle closes the gap between doors with a pile strip on both edges.
    const Article* handle = sketch.doors[0].frame[kFrameLeft].profile;
    if (handle != nullptr && handle->code == "JB100") {
        const int64_t pile = int64_t{sketch.doors[0].frame[kFrameLeft].cutLength} * n * 2;
        emitLength(result, ruleArticle("FD-SHL"), clampToInt(pile), nullptr);
    }
    emitRollerSet(sketch, options, result, ruleRollerSet("FD03"));
    collectFillings(sketch, result);
}

} // namespace dalvex
