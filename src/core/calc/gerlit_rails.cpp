#include "calc/gerlit_rails.h"

namespace dalvex {

GerlitRail gerlitRail(const std::string& code) {
    if (code == "JG01" || code == "JG02") return {true, code == "JG01" ? 2 : 1, false};
    return {false, 0, code == "JG04"};
}

} // namespace dalvex
