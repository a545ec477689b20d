#include "project/length_fields.h"

#include "calc/ds_system.h"
#include "project/project.h"
#include "sketch/opening_limits.h"
#include "text/millimetres.h"

#include <algorithm>

namespace dalvex {

LengthRange acceptedRange(const Project& project, LengthField field) {
    switch (field) {
    case LengthField::Width:
        return {kMinOpeningWidth, kMaxOpeningWidth};
    case LengthField::Height:
        return {kMinOpeningHeight, kMaxOpeningHeight};
    case LengthField::Plinth:
        return {kMinPlinthHeight, std::min(kMaxPlinthHeight, project.height)};
    case LengthField::Chipboard:
        return {0, kMaxChipboardWidth};
    }
    return {};
}

std::string rangeText(const Project& project, LengthField field) {
    // The dimensions are the wardrobe's for a system with a plinth, else the opening's.
    const bool wardrobe = project.calculator && project.calculator->usesPlinth;
    std::string name;
    switch (field) {
    case LengthField::Width:
        name = wardrobe ? "Ширина шкафа" : "Ширина проёма";
        break;
    case LengthField::Height:
        name = wardrobe ? "Высота шкафа" : "Высота проёма";
        break;
    case LengthField::Plinth:
        name = "Цоколь";
        break;
    case LengthField::Chipboard:
        name = "Ширина ЛДСП";
        break;
    }
    const LengthRange range = acceptedRange(project, field);
    return name + ": от " + millimetresText(range.low, true) + " до " + millimetresText(range.high, true) +
           " мм";
}

} // namespace dalvex
