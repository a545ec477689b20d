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
// A number taken for an order about to be saved, and the counter before and after.
struct OrderNumberClaim {
    std::string number;
    int32_t counterBefore = 0;
    int32_t counterAfter = 0;
};
// Just before an order is saved from its card, under the counter's lock: the number the card was offered when
// it was reset (`offered`; empty once taken, and for an order opened from a file) is taken for the order.
// When the card still shows that number and another program has taken it since, the order gets the counter's
// next number instead ("%05d"); a number typed by hand is kept. The counter then moves past the number, never
// back. Two programs claiming at the same time never get the same number. The counter file is replaced
// atomically; one that cannot be written is skipped silently. A counter below `floor` (a journal's next
// number) counts as `floor`.
OrderNumberClaim claimOrderNumber(const std::filesystem::path& configFolder, const std::string& cardNumber,
                                  const std::string& offered, int32_t floor = 1);
// The order was not saved after all: the counter goes back to where the claim found it, unless another
// program has moved it since.
void releaseOrderNumber(const std::filesystem::path& configFolder, const OrderNumberClaim& claim);
// Under the counter's lock: moves the counter up to `next` when it is below (never back); answers the counter
// afterwards.
int32_t raiseOrderCounter(const std::filesystem::path& configFolder, int32_t next);

// Who takes and gives back the numbers of orders being saved: the counter file alone (the functions above)
// unless a program sets another keeper on its editor.
class OrderNumberKeeper {
public:
    virtual ~OrderNumberKeeper() = default;
    virtual OrderNumberClaim claim(const std::filesystem::path& configFolder, const std::string& cardNumber,
                                   const std::string& offered) = 0;
    virtual void release(const std::filesystem::path& configFolder, const OrderNumberClaim& claim) = 0;
};

} // namespace dalvex
