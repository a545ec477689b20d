#include "sketch/door_limits.h"

#include "records/records.h"
#include "sketch/sketch_units.h"
#include "text/format.h"
#include "text/numbers.h"

#include <algorithm>

namespace dalvex {

DoorWidthLimits doorWidthLimits(const Door& door) {
    DoorWidthLimits limits;
    const auto face = [&](int side) {
        const Article* profile = door.frame[side].profile;
        return profile ? int64_t{profile->faceWidth} : 0;
    };
    limits.narrowest =
        clampToInt(std::max<int64_t>(kMinDoorWidth, face(kFrameLeft) + face(kFrameRight) + kMinInsertPart));
    for (int side : {kFrameTop, kFrameBottom}) {
        const FrameProfile& f = door.frame[side];
        // Only a handle profile can be bought in its second bar length; the top and bottom come in their first.
        const int32_t bar = f.profile ? f.profile->barLength1 : 0;
        if (bar <= 0 || f.cutLength <= 0) continue;
        // The piece grows with the door: as much wider as the bar has beyond it.
        const int32_t widest = clampToInt(int64_t{door.width} + bar - f.cutLength);
        limits.widest = limits.widest == 0 ? widest : std::min(limits.widest, widest);
    }
    return limits;
}

std::string doorWidthWarning(const Door& door) {
    const DoorWidthLimits limits = doorWidthLimits(door);
    const char* pattern = nullptr;
    int32_t limit = 0;
    if (door.width < limits.narrowest) {
        pattern = "ВНИМАНИЕ: ширина двери %d — %d мм, допустимо не менее %d мм.";
        limit = limits.narrowest;
    } else if (limits.widest > 0 && door.width > limits.widest) {
        pattern = "ВНИМАНИЕ: ширина двери %d — %d мм, допустимо не более %d мм.";
        limit = limits.widest;
    }
    return pattern ? format(pattern, door.index + 1, door.width / 10, limit / 10) : std::string();
}

std::string doorWidthWarning(const DoorSketch& sketch) {
    for (int k = 0; k < sketch::doorsInUse(sketch.doorCount); ++k) {
        std::string warning = doorWidthWarning(sketch.doors[k]);
        if (!warning.empty()) return warning;
    }
    return {};
}

} // namespace dalvex
