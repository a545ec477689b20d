#include "calc/systems.h"

namespace dalvex {

void DSSystemBorvik::collect(DoorSketch&, CalcResult& result, const ProfileColor*) {
    result.clear();
}

} // namespace dalvex
