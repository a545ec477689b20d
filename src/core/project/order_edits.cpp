#include "project/order_edits.h"

#include "project/project.h"

namespace dalvex {

namespace {

Changes cardChanged(bool totals) {
    Changes c;
    c.applied = c.card = true;
    c.totals = totals;
    return c;
}

} // namespace

Changes OrderNumberClaims::claim(Project& project) {
    const std::filesystem::path& folder = project.configFolder();
    const std::string& number = project.orderCard.orderNumber;
    const OrderNumberClaim claim = keeper_ ? keeper_->claim(folder, number, project.offeredOrderNumber)
                                           : claimOrderNumber(folder, number, project.offeredOrderNumber);
    pending_ = Pending{claim, project.offeredOrderNumber,
                       project.orderCard.orderNumber == project.offeredOrderNumber};
    project.offeredOrderNumber.clear();
    if (claim.number == project.orderCard.orderNumber) return {};
    // Another program took the offered number meanwhile: the card shows the one taken instead.
    project.orderCard.orderNumber = claim.number;
    return cardChanged(false);
}

void OrderNumberClaims::release(Project& project) {
    if (!pending_) return;
    if (keeper_)
        keeper_->release(project.configFolder(), pending_->claim);
    else
        releaseOrderNumber(project.configFolder(), pending_->claim);
    // A card that showed its offered number offers the number it shows now (a renumbered card keeps it, and
    // the counter is back on it), so the next save claims it anew.
    project.offeredOrderNumber = pending_->showedOffered ? project.orderCard.orderNumber : pending_->offered;
    pending_.reset();
}

namespace edits {

Changes make(EditTarget& t, const edit::SetOrderCard& op) {
    if (op.card == t.project.orderCard) return {};
    t.project.orderCard = op.card;
    return cardChanged(true);
}

Changes make(EditTarget& t, const edit::ClaimOrderNumber&) {
    return t.claims.claim(t.project);
}

} // namespace edits
} // namespace dalvex
