#pragma once
// The customer card of an order and the order-number counter kept in config/number.txt.
#include <cstdint>
#include <filesystem>
#include <string>

namespace dalvex {

struct OrderCard {
    std::string orderNumber; // five digits with leading zeros for a new order; free text otherwise
    std::string customerName;
    std::string address;
    int64_t orderDate = 0; // seconds since 1970-01-01 00:00 UTC
    int64_t readyDate = 0;
    std::string phone;
    int32_t deliveryCost = 0; // whole roubles, 0 or 1..99999
    int32_t assemblyCost = 0;

    // A new order: the next number from the counter, empty texts, both dates `now`, no extra charges.
    void reset(const std::filesystem::path& configFolder, int64_t now);
    void reset(const std::filesystem::path& configFolder); // now = the current time
};

// The next order number to offer, "%05d"; "00001" when the counter is missing, unreadable or not above 0.
std::string nextOrderNumber(const std::filesystem::path& configFolder);
// After an order was saved from the card: moves the counter to the card's number + 1 unless that would move
// it back. The counter file is replaced atomically; a file that cannot be written is skipped silently.
void advanceOrderNumber(const std::filesystem::path& configFolder, const OrderCard& card);

} // namespace dalvex
