#include "io/whole_file.h"
#include "orders/accounting.h"
#include "report_examples.h"
#include "text/encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace dalvex {
namespace {

using test::exampleFacts;
using test::exampleResult;
using test::TempFolder;

std::string writeAndRead(const std::filesystem::path& path, const CalcResult& r, const OrderFacts& f) {
    EXPECT_TRUE(writeAccountingFile(path, r, f));
    std::string bytes;
    EXPECT_TRUE(readWholeFile(path, bytes, 64u << 20));
    return bytes;
}

TEST(AccountingFile, ArticlesMaterialsAndTotals) {
    TempFolder dir;
    OrderFacts facts = exampleFacts(true);
    facts.card.orderNumber = "7";
    facts.card.assemblyCost = 1500;
    facts.discountAmount = 37149;
    facts.grandTotal = 742975 - 37149 + 150000;
    const std::string bytes = writeAndRead(dir.path() / "order.csv", exampleResult(), facts);
    EXPECT_EQ(bytes.rfind("\xB9 \xE7\xE0\xEA\xE0\xE7\xE0;00007\r\n", 0), 0u); // Windows-1251
    EXPECT_EQ(cp1251ToUtf8(bytes), "№ заказа;00007\r\n"
                                   "№;Артикул;Название;Кол-во;Ед.изм.;Цена,руб.\r\n"
                                   "1;JB10;Направляющая верхняя;12,50;м;1562,50\r\n"
                                   "2;JB01;Профиль ручка 5,4 м.;3;шт;4050,00\r\n"
                                   "3;JB30;Ролики;6;шт;1200,00\r\n"
                                   "4;M1;ЛДСП белый;1,2345;м2;617,25\r\n"
                                   "Сумма;7429,75\r\n"
                                   "Скидка;371,49\r\n"
                                   "Сборка;1500,00\r\n"
                                   "Доставка;0,00\r\n"
                                   "Итого;8558,26\r\n");
}

TEST(AccountingFile, NothingCalculated) {
    TempFolder dir;
    OrderFacts facts;
    facts.card.deliveryCost = 300;
    facts.grandTotal = 30000;
    EXPECT_EQ(cp1251ToUtf8(writeAndRead(dir.path() / "a.csv", CalcResult{}, facts)),
              "№ заказа;00000\r\n"
              "№;Артикул;Название;Кол-во;Ед.изм.;Цена,руб.\r\n"
              "Сумма;0,00\r\nСкидка;0,00\r\nСборка;0,00\r\nДоставка;300,00\r\nИтого;300,00\r\n");
}

TEST(AccountingFile, ErrorKeepsItsBareLineFeedInTheNameField) {
    TempFolder dir;
    CalcResult r;
    r.articleLines = {{"JB01", "Профиль", 55000, 2, 90000, "ОШИБКА! Есть отрезки профилей больше 5,5 м.", 1}};
    const std::string text = cp1251ToUtf8(writeAndRead(dir.path() / "a.csv", r, OrderFacts{}));
    EXPECT_NE(
        text.find("\r\n1;JB01;Профиль 5,5 м. \nОШИБКА! Есть отрезки профилей больше 5,5 м.;2;шт;900,00\r\n"
                  "Сумма;0,00\r\n"),
        std::string::npos)
        << text;
}

TEST(AccountingFile, UnwritablePathFails) {
    TempFolder dir;
    EXPECT_FALSE(writeAccountingFile(dir.path() / "missing" / "a.csv", exampleResult(), exampleFacts(true)));
}

} // namespace
} // namespace dalvex
