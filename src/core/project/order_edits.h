#pragma once
// The editor's edits of the order card and its number. The number is claimed from the counter just before
// the order is saved from its card, so that two programs never save the same one, and given back when
// nothing was saved after all.
#include "orders/order_numbers.h"
#include "project/edit_op.h"
#include "project/edit_target.h"

#include <optional>
#include <string>

namespace dalvex {

// The number the order claimed last, kept until it is saved or given back.
class OrderNumberClaims {
public:
    Changes claim(Project& project);
    // The order was not saved after all (the dialog cancelled, the file not written): the number claimed last
    // goes back to the counter unless another program has taken a number since.
    void release(Project& project);
    // Numbers are taken and given back through `keeper` (a journal) instead of the counter file alone;
    // nullptr: the counter file.
    void setKeeper(OrderNumberKeeper* keeper) { keeper_ = keeper; }

private:
    struct Pending {
        OrderNumberClaim claim;
        std::string offered; // what the card was offered before the claim
        bool showedOffered = false;
    };
    std::optional<Pending> pending_;
    OrderNumberKeeper* keeper_ = nullptr;
};

namespace edits {

Changes make(EditTarget& target, const edit::SetOrderCard& op);
Changes make(EditTarget& target, const edit::ClaimOrderNumber& op);

} // namespace edits
} // namespace dalvex
