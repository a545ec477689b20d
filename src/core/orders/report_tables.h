#pragma once
// The four result tables (price calculation, order information, profiles and materials, assembly), built as
// plain grids from the last calculation, and the texts that the workbook and the accounting file share with
// them.
#include "calc/calc_result.h"
#include "orders/table_section.h"
#include "records/order_card.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dalvex {

enum TableKind : int {
    kPriceTable = 0,
    kOrderTable = 1,
    kProfilesTable = 2,
    kAssemblyTable = 3,
};

// Everything besides the bill of materials that a report shows, taken from the Project at one moment.
struct OrderFacts {
    OrderCard card;
    int32_t width = 0; // 0.1 mm
    int32_t height = 0;
    int32_t plinthHeight = 0;
    int32_t chipboardWidth = 0;
    int32_t doorCount = 0;
    bool usesPlinth = false;
    std::string colorName;  // display name of the profile colour; empty without one
    int32_t itemsTotal = 0; // kopecks
    int32_t discountAmount = 0;
    int32_t grandTotal = 0;
};

// The article's name, with " %3.1f м." of the bar length when bought in bars and " \n" + the error when it
// has one: as the workbook and the accounting file carry it.
std::string articleNameText(const ArticleLine& line);
// The same with " \n" + the warning for the dealer when there is one: as the price table shows and prints it.
std::string shownArticleNameText(const ArticleLine& line);
// "%d шт." of the count for whole bars or pieces, else "%1.2f м." of the length in metres.
std::string articleQuantityText(const ArticleLine& line);
// "%d мм" of a length in 0.1 mm (whole millimetres, truncated).
std::string millimetresText(int32_t tenths);
// The order number as exported: "%05d" of its leading digits (non-numeric text gives 00000).
std::string exportedOrderNumber(const std::string& orderNumber);

// The sections of the table of the given kind, in drawing order; empty for an unknown kind.
std::vector<TableSection> buildTable(int kind, const CalcResult& result, const OrderFacts& facts);

} // namespace dalvex
