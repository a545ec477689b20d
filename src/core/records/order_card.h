#pragma once
// The customer card of an order: number, customer, dates and the extra charges.
#include <cstdint>
#include <string>

namespace dalvex {

// The largest assembly or delivery charge, whole roubles: the card takes 0 to this.
inline constexpr int32_t kMaxExtraCharge = 99999;

struct OrderCard {
    std::string orderNumber; // five digits with leading zeros for a new order; free text otherwise
    std::string customerName;
    std::string address;
    int64_t orderDate = 0; // seconds since 1970-01-01 00:00 UTC
    int64_t readyDate = 0;
    std::string phone;
    int32_t deliveryCost = 0; // whole roubles, 0 or 1..99999
    int32_t assemblyCost = 0;

    bool operator==(const OrderCard&) const = default;
};

} // namespace dalvex
