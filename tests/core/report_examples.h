#pragma once
// Bills of materials and order facts filled by hand for the report tests.
#include "calc/calc_result.h"
#include "orders/report_tables.h"
#include "temp_folder.h"

#include <filesystem>
#include <random>
#include <string>

namespace dalvex::test {

// 3 article lines (by length, in whole bars, by the piece), 1 material, 6 cut lines, 2 panels, 3 door lines.
inline CalcResult exampleResult() {
    CalcResult r;
    r.articleLines = {
        {"JB10", "Направляющая верхняя", 0, 125000, 156250, "", 0},
        {"JB01", "Профиль ручка", 54000, 3, 405000, "", 1},
        {"JB30", "Ролики", 0, 6, 120000, "", 1},
    };
    r.materialLines = {{"M1", "ЛДСП белый", 160, 1.2345, 61725, ""}};
    for (int i = 1; i <= 6; ++i)
        r.cutLines.push_back(
            {"1-" + std::to_string(i), "JB01", "Профиль ручка 5,4 м.", "2460,0", std::to_string(i), 0});
    r.panelLines = {{"1-1", "M1", "ЛДСП белый", "1200", "800", "7", 0},
                    {"1-2", "M1", "ЛДСП белый", "760", "800", "8", 1}};
    r.doorLines = {{"1", "Профиль", "JB01", "Профиль ручка", "1"},
                   {"1", "Вставка", "M1", "ЛДСП белый", "7"},
                   {"2", "Вставка", "M1", "ЛДСП белый", "8"}};
    return r;
}

// 2012-03-05 12:00 UTC: the same calendar day in every time zone from -11 to +11 hours.
inline constexpr int64_t kMarch5th2012Noon = 1330948800;

inline OrderFacts exampleFacts(bool usesPlinth) {
    OrderFacts f;
    f.card.orderNumber = "42";
    f.card.customerName = "Петров";
    f.card.address = "ул. Ленина, 1";
    f.card.phone = "123-45-67";
    f.card.orderDate = kMarch5th2012Noon;
    f.card.readyDate = kMarch5th2012Noon + 7 * 86400;
    f.width = 30000;
    f.height = 20005;
    f.plinthHeight = 540;
    f.chipboardWidth = 160;
    f.doorCount = 3;
    f.usesPlinth = usesPlinth;
    f.colorName = "Серебро";
    f.itemsTotal = 742975;
    f.discountAmount = 0;
    f.grandTotal = 742975;
    return f;
}

using TempFolder = dalvex::testing::TempFolder;

} // namespace dalvex::test
