// The order totals of the Project: the priced bill of materials, the discount and the extra charges.
#include "model/project.h"
#include "text/format.h"
#include "text/numbers.h"

#include <algorithm>
#include <limits>

namespace dalvex {

int32_t Project::itemsTotal() {
    if (result.totalsDirty) result.computeItemsTotal();
    return result.itemsTotal;
}

int32_t Project::discountAmount() {
    // Per cent first, then the product: the kopeck rounding depends on this order (7 % of 100000 is 7001).
    const double fraction = result.discountPercent / 100.0;
    return ceilToInt(fraction * static_cast<double>(itemsTotal()));
}

int32_t Project::grandTotal() {
    // The extra charges are whole roubles added after the discount; summed wide so that costs read from a
    // file cannot overflow.
    int64_t total = static_cast<int64_t>(itemsTotal()) - discountAmount();
    if (orderCard.assemblyCost > 0) total += 100 * static_cast<int64_t>(orderCard.assemblyCost);
    if (orderCard.deliveryCost > 0) total += 100 * static_cast<int64_t>(orderCard.deliveryCost);
    total =
        std::clamp<int64_t>(total, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(total);
}

std::string Project::grandTotalText() {
    // A total of 0 means an error line or nothing priced: no price can be quoted.
    if (itemsTotal() < 1) return "ОШИБКА";
    return format("%6.2f руб.", static_cast<double>(grandTotal()) / 100.0);
}

} // namespace dalvex
