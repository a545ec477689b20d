#include "calc/systems.h"

namespace dalvex {

void DSSystemQuorin::collect(DoorSketch&, CalcResult& result, const ProfileColor*) {
    result.clear();
}

} // namespace dalvex
