#include "calc/systems.h"

namespace dalvex {

void DSSystemGerlit::collect(DoorSketch&, CalcResult& result, const ProfileColor*) {
    result.clear();
}

} // namespace dalvex
