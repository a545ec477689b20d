#include "calc/order_options.h"

namespace dalvex {

uint8_t OrderOptions::barChoice(const Article& profile) const {
    const auto found = barChoices.find(&profile);
    return found == barChoices.end() ? 1 : found->second;
}

void OrderOptions::setBarChoice(const Article& profile, uint8_t choice) {
    // Only the second bar is kept: an order that never chose one compares equal to a fresh one.
    if (choice == 2)
        barChoices[&profile] = 2;
    else
        barChoices.erase(&profile);
}

int32_t OrderOptions::barLength(const Article& profile) const {
    return barChoice(profile) == 2 ? profile.barLength2 : profile.barLength1;
}

} // namespace dalvex
