#include "project/project_reports.h"

#include "calc/ds_system.h"
#include "orders/accounting.h"
#include "project/project.h"
#include "records/records.h"

namespace dalvex {

OrderFacts orderFacts(const Project& project) {
    OrderFacts f;
    f.card = project.orderCard;
    f.width = project.width;
    f.height = project.height;
    f.plinthHeight = project.plinthHeight;
    f.chipboardWidth = project.chipboardWidth;
    f.doorCount = project.doorCount;
    f.usesPlinth = project.calculator != nullptr && project.calculator->usesPlinth;
    if (project.profileColor != nullptr) f.colorName = project.profileColor->code;
    f.itemsTotal = project.itemsTotal();
    f.discountAmount = project.discountAmount();
    f.grandTotal = project.grandTotal();
    return f;
}

std::vector<TableSection> buildTable(int kind, const Project& project) {
    const OrderFacts facts = orderFacts(project);
    return buildTable(kind, project.result, facts);
}

bool writeWorkbook(const std::filesystem::path& path, const Project& project, WorkbookSheets sheets) {
    if (!sheets.any()) return true;
    return writeWorkbook(path, project.result, orderFacts(project), sheets);
}

bool writeAccountingFile(const std::filesystem::path& path, const Project& project) {
    return writeAccountingFile(path, project.result, orderFacts(project));
}

} // namespace dalvex
