// The order totals of the Project, from its last calculation, discount and card.
#include "orders/totals.h"
#include "project/project.h"

namespace dalvex {

int32_t Project::itemsTotal() const {
    if (result.totalsDirty) result.computeItemsTotal();
    return result.itemsTotal;
}

int32_t Project::discountAmount() const {
    return dalvex::discountAmount(itemsTotal(), result.discountPercent);
}

int32_t Project::grandTotal() const {
    return dalvex::grandTotal(itemsTotal(), discountAmount(), orderCard);
}

std::string Project::grandTotalText() const {
    return dalvex::grandTotalText(itemsTotal(), grandTotal());
}

} // namespace dalvex
