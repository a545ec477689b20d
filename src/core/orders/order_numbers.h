#pragma once
// The order-number counter kept in config/number.txt, and new order cards numbered from it.
#include "records/order_card.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace dalvex {

// A new order: the next number from the counter, empty texts, both dates `now`, no extra charges.
void resetOrderCard(OrderCard& card, const std::filesystem::path& configFolder, int64_t now);
void resetOrderCard(OrderCard& card, const std::filesystem::path& configFolder); // now = the current time

// The next order number to offer, "%05d"; "00001" when the counter is missing, unreadable or not above 0.
std::string nextOrderNumber(const std::filesystem::path& configFolder);
// Takes the next number for an order and moves the counter past it at once, under the counter's lock: two
// programs taking numbers at the same time never get the same one. The number is "%05d" as above; a counter
// that cannot be written still gives its number.
std::string takeOrderNumber(const std::filesystem::path& configFolder);
// After an order was saved from the card, under the counter's lock: moves the counter to the card's number +
// 1 unless that would move it back. The counter file is replaced atomically; a file that cannot be written is
// skipped silently.
void advanceOrderNumber(const std::filesystem::path& configFolder, const OrderCard& card);

} // namespace dalvex
