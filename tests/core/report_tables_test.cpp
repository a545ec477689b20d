#include "orders/dates.h"
#include "orders/report_tables.h"
#include "report_examples.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace dalvex {
namespace {

using test::exampleFacts;
using test::exampleResult;

std::vector<std::string> column(const TableSection& s, int c) {
    std::vector<std::string> texts;
    for (int r = 0; r < s.rowCount; ++r)
        texts.push_back(s.cell(c, r).text);
    return texts;
}

std::vector<std::string> row(const TableSection& s, int r) {
    std::vector<std::string> texts;
    for (int c = 0; c < s.columnCount; ++c)
        texts.push_back(s.cell(c, r).text);
    return texts;
}

TEST(TableSection, SetSizeMakesAnEmptyGridAndIgnoresOutsidePositions) {
    TableSection s;
    s.setSize(3, 2);
    s.setCell(2, 1, "x", true);
    s.setCell(3, 0, "outside", true);
    s.setCell(0, 2, "outside", true);
    s.setCell(-1, 0, "outside", true);
    EXPECT_EQ(s.fractions, (std::vector<double>{0.1, 0.1, 0.1}));
    EXPECT_EQ(s.cell(2, 1).text, "x");
    EXPECT_TRUE(s.cell(2, 1).bold);
    EXPECT_EQ(s.cell(1, 1).text, "");
    EXPECT_EQ(s.cell(5, 5).text, "");
    s.setSize(1, 1);
    EXPECT_EQ(s.cell(0, 0).text, "");
    EXPECT_FALSE(s.cell(0, 0).bold);
}

TEST(ReportTexts, ArticleNameAndQuantity) {
    const ArticleLine byLength{"JB10", "Направляющая", 0, 125000, 0, "", 0};
    const ArticleLine inBars{"JB01", "Профиль", 54000, 3, 0, "", 1};
    const ArticleLine broken{"JB01", "Профиль", 55000, 2, 0, "ОШИБКА! Есть отрезки профилей больше 5,5 м.",
                             1};
    EXPECT_EQ(articleNameText(byLength), "Направляющая");
    EXPECT_EQ(articleQuantityText(byLength), "12,50 м.");
    EXPECT_EQ(articleNameText(inBars), "Профиль 5,4 м.");
    EXPECT_EQ(articleQuantityText(inBars), "3 шт.");
    EXPECT_EQ(articleNameText(broken), "Профиль 5,5 м. \nОШИБКА! Есть отрезки профилей больше 5,5 м.");
}

TEST(ReportTexts, ExportedOrderNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"42", "00042"}, {"00007", "00007"}, {"", "00000"}, {"abc", "00000"}, {"123456", "123456"}};
    for (const auto& [stored, exported] : cases)
        EXPECT_EQ(exportedOrderNumber(stored), exported) << stored;
}

TEST(ReportTexts, LocalDates) {
    EXPECT_EQ(formatLocalDate(test::kMarch5th2012Noon), "05.03.2012");
    EXPECT_EQ(formatLocalDate(std::numeric_limits<int64_t>::max()), "00.00.0");
    EXPECT_EQ(formatLocalDate(std::numeric_limits<int64_t>::min()), "00.00.0");
}

TEST(PriceTable, LinesAndTotals) {
    OrderFacts facts = exampleFacts(true);
    facts.card.assemblyCost = 1500;
    facts.discountAmount = 12345;
    const auto t = buildTable(kPriceTable, exampleResult(), facts);
    ASSERT_EQ(t.size(), 2u);
    const TableSection& lines = t[0];
    ASSERT_EQ(lines.rowCount, 5);
    EXPECT_EQ(lines.fractions, (std::vector<double>{0.08, 0.14, 0.48, 0.15, 0.15}));
    EXPECT_EQ(row(lines, 0), (std::vector<std::string>{"№", "Артикул", "Название", "Кол-во", "Цена, руб."}));
    EXPECT_TRUE(lines.cell(4, 0).bold);
    EXPECT_FALSE(lines.cell(0, 1).bold);
    EXPECT_EQ(row(lines, 1),
              (std::vector<std::string>{"1", "JB10", "Направляющая верхняя", "12,50 м.", "1562,50"}));
    EXPECT_EQ(row(lines, 2),
              (std::vector<std::string>{"2", "JB01", "Профиль ручка 5,4 м.", "3 шт.", "4050,00"}));
    EXPECT_EQ(row(lines, 3), (std::vector<std::string>{"3", "JB30", "Ролики", "6 шт.", "1200,00"}));
    EXPECT_EQ(row(lines, 4), (std::vector<std::string>{"4", "M1", "ЛДСП белый", "1,2345 м2", "617,25"}));

    const TableSection& totals = t[1];
    EXPECT_EQ(totals.leftFraction, 0.6);
    EXPECT_EQ(totals.fractions, (std::vector<double>{0.25, 0.15}));
    EXPECT_EQ(column(totals, 0),
              (std::vector<std::string>{"Сумма", "Скидка", "Сборка", "Доставка", "Итого"}));
    EXPECT_EQ(column(totals, 1), (std::vector<std::string>{"7429,75 руб.", "123,45 руб.", "1500,00 руб.",
                                                           "0,00 руб.", "7429,75 руб."}));
    EXPECT_TRUE(totals.cell(0, 4).bold);
    EXPECT_FALSE(totals.cell(1, 4).bold);
}

TEST(PriceTable, NothingCalculatedGivesHeaderAndZeroTotals) {
    OrderFacts facts;
    const auto t = buildTable(kPriceTable, CalcResult{}, facts);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].rowCount, 1);
    EXPECT_EQ(column(t[1], 1), std::vector<std::string>(5, "0,00 руб."));
}

TEST(PriceTable, ErrorLineShowsTheErrorOnASecondLine) {
    CalcResult r;
    r.articleLines = {{"JB30", "Ролики", 0, 6, 120000, "ОШИБКА: Ролики не подходят к выбранным ручкам.", 1}};
    OrderFacts facts;
    facts.card.assemblyCost = 500;
    facts.grandTotal = 50000;
    const auto t = buildTable(kPriceTable, r, facts);
    EXPECT_EQ(t[0].cell(2, 1).text, "Ролики \nОШИБКА: Ролики не подходят к выбранным ручкам.");
    EXPECT_EQ(t[1].cell(1, 0).text, "0,00 руб.");
    EXPECT_EQ(t[1].cell(1, 4).text, "500,00 руб.");
}

TEST(OrderTable, RowCountFollowsCostsAndPlinth) {
    struct Case {
        int assembly, delivery;
        bool plinth;
        int rows;
    };
    const Case cases[] = {{0, 0, false, 10}, {1, 0, false, 11},     {0, 1, false, 11},
                          {0, 0, true, 12},  {1500, 300, true, 14}, {-3, 0, true, 12}};
    for (const Case& c : cases) {
        OrderFacts facts = exampleFacts(c.plinth);
        facts.card.assemblyCost = c.assembly;
        facts.card.deliveryCost = c.delivery;
        const auto t = buildTable(kOrderTable, CalcResult{}, facts);
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].rowCount, c.rows) << c.assembly << " " << c.delivery << " " << c.plinth;
        EXPECT_EQ(t[0].cell(1, c.rows - 1).text, "Серебро");
    }
}

TEST(OrderTable, WithoutPlinthAndCosts) {
    OrderFacts facts = exampleFacts(false);
    facts.card.orderNumber = "0042a";
    const auto t = buildTable(kOrderTable, CalcResult{}, facts);
    ASSERT_EQ(t[0].rowCount, 10);
    EXPECT_EQ(t[0].fractions, (std::vector<double>{0.25, 0.6}));
    EXPECT_EQ(
        column(t[0], 0),
        (std::vector<std::string>{"№ заказа", "ФИО", "Адрес", "Телефон", "Дата оформления", "Дата готовности",
                                  "Высота проема", "Ширина проема", "Количество дверей", "Цвет профилей"}));
    EXPECT_EQ(column(t[0], 1),
              (std::vector<std::string>{"0042a", "Петров", "ул. Ленина, 1", "123-45-67", "05.03.2012",
                                        "12.03.2012", "2000 мм", "3000 мм", "3", "Серебро"}));
    EXPECT_TRUE(t[0].cell(0, 9).bold);
    EXPECT_FALSE(t[0].cell(1, 9).bold);
}

TEST(OrderTable, WithPlinthAndCosts) {
    OrderFacts facts = exampleFacts(true);
    facts.card.assemblyCost = 1500;
    facts.card.deliveryCost = 300;
    facts.colorName.clear();
    const auto t = buildTable(kOrderTable, CalcResult{}, facts);
    ASSERT_EQ(t[0].rowCount, 14);
    const std::vector<std::string> labels = column(t[0], 0);
    const std::vector<std::string> values = column(t[0], 1);
    EXPECT_EQ(std::vector<std::string>(labels.begin() + 6, labels.end()),
              (std::vector<std::string>{"Сборка", "Доставка", "Высота шкафа", "Ширина проема", "Цоколь",
                                        "Ширина ЛДСП", "Количество дверей", "Цвет профилей"}));
    EXPECT_EQ(
        std::vector<std::string>(values.begin() + 6, values.end()),
        (std::vector<std::string>{"1500 руб.", "300 руб.", "2000 мм", "3000 мм", "54 мм", "16 мм", "3", ""}));
}

TEST(CutAndAssemblyTables, HeadersAndLinesAsTheyAre) {
    const CalcResult r = exampleResult();
    const auto cuts = buildTable(kProfilesTable, r, OrderFacts{});
    ASSERT_EQ(cuts.size(), 2u);
    EXPECT_EQ(cuts[0].rowCount, 7);
    EXPECT_EQ(row(cuts[0], 0),
              (std::vector<std::string>{"№", "Артикул", "Название профиля", "Длина, мм", "Номер"}));
    EXPECT_EQ(row(cuts[0], 6),
              (std::vector<std::string>{"1-6", "JB01", "Профиль ручка 5,4 м.", "2460,0", "6"}));
    EXPECT_EQ(cuts[1].rowCount, 3);
    EXPECT_EQ(cuts[1].fractions, (std::vector<double>{0.1, 0.1, 0.5, 0.1, 0.1, 0.1}));
    EXPECT_EQ(row(cuts[1], 2), (std::vector<std::string>{"1-2", "M1", "ЛДСП белый", "760", "800", "8"}));

    const auto doors = buildTable(kAssemblyTable, r, OrderFacts{});
    ASSERT_EQ(doors.size(), 1u);
    EXPECT_EQ(doors[0].rowCount, 4);
    EXPECT_EQ(doors[0].fractions, (std::vector<double>{0.1, 0.12, 0.13, 0.5, 0.15}));
    EXPECT_EQ(row(doors[0], 0),
              (std::vector<std::string>{"№ двери", "Тип элемента", "Артикул", "Название", "Номер"}));
    EXPECT_EQ(row(doors[0], 3), (std::vector<std::string>{"2", "Вставка", "M1", "ЛДСП белый", "8"}));
}

TEST(CutAndAssemblyTables, EmptyResultGivesHeaderRowsOnly) {
    const auto cuts = buildTable(kProfilesTable, CalcResult{}, OrderFacts{});
    EXPECT_EQ(cuts[0].rowCount, 1);
    EXPECT_EQ(cuts[1].rowCount, 1);
    EXPECT_EQ(buildTable(kAssemblyTable, CalcResult{}, OrderFacts{})[0].rowCount, 1);
    EXPECT_TRUE(buildTable(4, CalcResult{}, OrderFacts{}).empty());
    EXPECT_TRUE(buildTable(-1, CalcResult{}, OrderFacts{}).empty());
}

} // namespace
} // namespace dalvex
