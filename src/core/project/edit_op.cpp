#include "project/edit_op.h"

#include <type_traits>

namespace dalvex {

std::string_view label(const EditOp& op) {
    return std::visit([](const auto& o) { return std::decay_t<decltype(o)>::kLabel; }, op);
}

} // namespace dalvex
