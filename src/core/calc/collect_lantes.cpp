#include "calc/systems.h"

namespace dalvex {

void DSSystemLantes::collect(DoorSketch&, CalcResult& result, const ProfileColor*) {
    result.clear();
}

} // namespace dalvex
