#include "calc/systems.h"

namespace dalvex {

void DSSystemDalvex::collect(DoorSketch&, CalcResult& result, const ProfileColor*) {
    result.clear();
}

} // namespace dalvex
