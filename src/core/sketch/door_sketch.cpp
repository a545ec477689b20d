// The sketch of all doors: construction, numbering and the queries the view and the calculators ask.
#include "sketch/door_sketch.h"
#include "sketch/sketch_units.h"

namespace dalvex {

DoorSketch::DoorSketch(int32_t w, int32_t h, int32_t count, const HandleProfile* handle, bool singleRow)
    : handleProfile(handle), previousWidth(w), previousHeight(h), previousDoorCount(count), width(w),
      height(h), doorCount(count) {
    for (int i = 0; i < kMaxDoors; ++i) {
        doors[i].index = i;
        doors[i].row = (i % 2 == 1 && !singleRow) ? 1 : 0;
    }
}

void DoorSketch::numberItems() {
    int32_t profileNo = 1;
    int32_t insertNo = 1; // a sequence of its own: a profile piece and an insert may share a number
    const int n = sketch::doorsInUse(doorCount);
    for (int i = 0; i < n; ++i) {
        Door& door = doors[i];
        for (FrameProfile& side : door.frame)
            if (side.profile) side.number = profileNo++;
        for (auto& [id, d] : door.dividers)
            if (d.profile) d.number = profileNo++;
        for (auto& [id, ins] : door.inserts)
            ins.number = insertNo++;
    }
    profileCount = profileNo;
}

int DoorSketch::overlapCount() const {
    int count = 0;
    const int n = sketch::doorsInUse(doorCount);
    for (int i = 0; i + 1 < n; ++i)
        if (doors[i].row != doors[i + 1].row) ++count;
    return count;
}

int32_t DoorSketch::remainder() const {
    int64_t sum = 0;
    const int n = sketch::doorsInUse(doorCount);
    for (int i = 0; i < n; ++i)
        sum += doors[i].width;
    return clampToInt(static_cast<int64_t>(doorsTotalWidth) - sum);
}

bool DoorSketch::hasDivider(int doorIndex, bool vertical) const {
    const Door* door = doorInUse(doorIndex);
    return door && door->hasDividers(vertical);
}

const Door* DoorSketch::doorInUse(int doorIndex) const {
    if (doorIndex < 0 || doorIndex >= sketch::doorsInUse(doorCount)) return nullptr;
    return &doors[static_cast<size_t>(doorIndex)];
}

Door* DoorSketch::doorInUse(int doorIndex) {
    if (doorIndex < 0 || doorIndex >= sketch::doorsInUse(doorCount)) return nullptr;
    return &doors[static_cast<size_t>(doorIndex)];
}

} // namespace dalvex
