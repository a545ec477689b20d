#include "calc/systems.h"

namespace dalvex {

void DSSystemWenlor::collect(DoorSketch&, CalcResult& result, const ProfileColor*) {
    result.clear();
}

} // namespace dalvex
