// The reports taken straight from a Project: its card, dimensions and totals gathered once, then handed to
// the builders and writers, which work on plain data.
#include "calc/ds_system.h"
#include "catalogue/records.h"
#include "model/project.h"
#include "orders/accounting.h"
#include "orders/report_tables.h"
#include "orders/workbook.h"

namespace dalvex {

OrderFacts orderFacts(Project& project) {
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

std::vector<TableSection> buildTable(int kind, Project& project) {
    const OrderFacts facts = orderFacts(project);
    return buildTable(kind, project.result, facts);
}

bool writeWorkbook(const std::filesystem::path& path, Project& project, bool order, bool price, bool profiles,
                   bool assembly) {
    const WorkbookSheets sheets{order, price, profiles, assembly};
    if (!sheets.any()) return true;
    return writeWorkbook(path, project.result, orderFacts(project), sheets);
}

bool writeAccountingFile(const std::filesystem::path& path, Project& project) {
    return writeAccountingFile(path, project.result, orderFacts(project));
}

} // namespace dalvex
