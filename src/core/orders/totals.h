#pragma once
// The order totals: the priced bill of materials, the discount and the card's extra charges.
#include "records/order_card.h"

#include <cstdint>
#include <string>

namespace dalvex {

// The discount in kopecks, rounded up: per cent first, then the product (7 % of 100000 is 7001).
int32_t discountAmount(int32_t itemsTotal, double discountPercent);
// Items less discount plus the card's assembly and delivery (whole roubles, only when above 0), saturated.
int32_t grandTotal(int32_t itemsTotal, int32_t discount, const OrderCard& card);
// "%6.2f руб." of the grand total; "ОШИБКА" when nothing is priced (an error line makes the items total 0).
std::string grandTotalText(int32_t itemsTotal, int32_t grandTotal);

} // namespace dalvex
