#pragma once
// The core's UTF-8 texts as Qt strings.
#include "text/millimetres.h"

#include <QString>

#include <cstdint>
#include <string_view>

namespace dalvex::ui {

inline QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A length in 0.1 mm as the program writes it: "2780", or "2780,5" with a tenth.
inline QString millimetresText(int32_t tenths, bool grouped = false) {
    return qs(dalvex::millimetresText(tenths, grouped));
}

} // namespace dalvex::ui
