#include "text/millimetres.h"

#include "text/format.h"

namespace dalvex {

std::string wholeMillimetres(int32_t tenths) {
    return std::to_string(tenths / 10);
}

std::string roundedMillimetres(int32_t tenths) {
    return format("%0.0f", tenths / 10.0);
}

} // namespace dalvex
