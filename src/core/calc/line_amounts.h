#pragma once
// What the totals can hold. The bill's amounts and the order's totals are 32-bit kopecks: a line with a
// negative amount (a negative price in a list, or a negative quantity), or one that carries the items total
// beyond what the grand total can hold with the card's largest extra charges, gets an error text, so that the
// total reads "ОШИБКА" instead of a wrong number.
#include "calc/calc_result.h"
#include "records/order_card.h"

#include <cstdint>

namespace dalvex {

inline constexpr int32_t kMaxItemsTotal = INT32_MAX - 2 * 100 * kMaxExtraCharge;

inline constexpr const char* kNegativePriceText = "ОШИБКА: Отрицательная цена в прайс-листе.";
inline constexpr const char* kNegativeQuantityText = "ОШИБКА: Отрицательное количество.";
inline constexpr const char* kAmountTooLargeText = "ОШИБКА: Сумма слишком велика для расчёта.";

// Every article line, then every material line, in the order they are summed: a line without an error whose
// amount is negative, or whose amount takes the sum of the lines so far beyond kMaxItemsTotal, gets its
// error text. Running it again changes nothing.
void checkLineAmounts(CalcResult& result);

} // namespace dalvex
