#include "sketch/sketch_units.h"

#include "text/numbers.h"

#include <cmath>

namespace dalvex::sketch {

bool pixelsToLength(int64_t offset, double scale, int32_t& length) {
    if (!std::isfinite(scale) || scale <= 0.0) return false;
    length = truncToInt(static_cast<double>(offset) / scale);
    return true;
}

} // namespace dalvex::sketch
