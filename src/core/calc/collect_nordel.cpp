#include "calc/systems.h"

namespace dalvex {

void DSSystemNordel::collect(DoorSketch&, CalcResult& result, const ProfileColor*) {
    result.clear();
}

} // namespace dalvex
