#include "orders/totals.h"

#include "text/format.h"
#include "text/numbers.h"

namespace dalvex {

int32_t discountAmount(int32_t itemsTotal, double discountPercent) {
    // The kopeck rounding depends on this order.
    const double fraction = discountPercent / 100.0;
    return ceilToInt(fraction * static_cast<double>(itemsTotal));
}

int32_t grandTotal(int32_t itemsTotal, int32_t discount, const OrderCard& card) {
    // The extra charges are whole roubles added after the discount; summed wide so that costs read from a
    // file cannot overflow.
    int64_t total = static_cast<int64_t>(itemsTotal) - discount;
    if (card.assemblyCost > 0) total += 100 * static_cast<int64_t>(card.assemblyCost);
    if (card.deliveryCost > 0) total += 100 * static_cast<int64_t>(card.deliveryCost);
    return clampToInt(total);
}

std::string grandTotalText(int32_t itemsTotal, int32_t grandTotal) {
    // A total of 0 means an error line or nothing priced: no price can be quoted.
    if (itemsTotal < 1) return "ОШИБКА";
    return format("%6.2f руб.", static_cast<double>(grandTotal) / 100.0);
}

} // namespace dalvex
