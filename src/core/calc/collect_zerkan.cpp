#include "calc/systems.h"

namespace dalvex {

void DSSystemZerkan::collect(DoorSketch&, CalcResult& result, const ProfileColor*) {
    result.clear();
}

} // namespace dalvex
