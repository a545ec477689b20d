#include "calc/systems.h"

namespace dalvex {

void DSSystemSenfil::collect(DoorSketch&, CalcResult& result, const ProfileColor*) {
    result.clear();
}

} // namespace dalvex
