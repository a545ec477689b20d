#include "calc/systems.h"

namespace dalvex {

void DSSystemFeldor::collect(DoorSketch&, CalcResult& result, const ProfileColor*) {
    result.clear();
}

} // namespace dalvex
