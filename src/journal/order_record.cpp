#include "order_record.h"

#include "calc/ds_system.h"
#include "project/project.h"
#include "records/records.h"

#include <utility>

namespace dalvex::journal {

OrderRecord recordOf(const Project& project, std::string filePath, std::string fileBytes, int64_t savedAt) {
    OrderRecord r;
    r.card = project.orderCard;
    r.discountPercent = project.discountPercent;
    r.itemsTotal = project.itemsTotal();
    r.grandTotal = project.grandTotal();
    r.system = project.calculator ? project.calculator->code : std::string();
    r.handleProfile = project.handleProfile ? project.handleProfile->code : std::string();
    r.color = project.profileColor ? project.profileColor->code : std::string();
    r.width = project.width;
    r.height = project.height;
    r.doorCount = project.doorCount;
    r.filePath = std::move(filePath);
    r.fileBytes = std::move(fileBytes);
    r.savedAt = savedAt;
    return r;
}

} // namespace dalvex::journal
