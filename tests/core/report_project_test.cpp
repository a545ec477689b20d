#include "catalogue/catalogue.h"
#include "io/whole_file.h"
#include "orders/accounting.h"
#include "orders/report_tables.h"
#include "orders/workbook.h"
#include "project/project.h"
#include "project/project_reports.h"
#include "report_examples.h"
#include "text/encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace dalvex {
namespace {

// The reports read the Project's card, dimensions, calculator, colour and totals.
TEST(ProjectReports, TablesAndFilesTakeTheProjectsFacts) {
    test::TempFolder dir;
    Catalogue catalogue(dir.path());
    Project project(catalogue, dir.path() / "config");
    ASSERT_NE(project.calculator, nullptr);
    ASSERT_FALSE(project.calculator->usesPlinth); // Борвик
    project.orderCard.orderNumber = "7";
    project.orderCard.assemblyCost = 0;
    project.orderCard.deliveryCost = 0;
    project.result = test::exampleResult();
    project.result.totalsDirty = true;

    const auto order = buildTable(kOrderTable, project);
    ASSERT_EQ(order.size(), 1u);
    EXPECT_EQ(order[0].rowCount, 10);
    EXPECT_EQ(order[0].cell(1, 6).text, "2000 мм");
    EXPECT_EQ(order[0].cell(1, 8).text, "3");
    EXPECT_EQ(buildTable(kPriceTable, project)[1].cell(1, 0).text, "7429,75 руб.");

    const auto csv = dir.path() / "order.csv";
    ASSERT_TRUE(writeAccountingFile(csv, project));
    std::string bytes;
    ASSERT_TRUE(readWholeFile(csv, bytes, 64u << 20));
    const std::string text = cp1251ToUtf8(bytes);
    EXPECT_EQ(text.rfind("№ заказа;00007\r\n", 0), 0u);
    EXPECT_NE(text.find("Сумма;7429,75\r\n"), std::string::npos) << text;

    const auto xml = dir.path() / "order.xml";
    ASSERT_TRUE(writeWorkbook(xml, project, WorkbookSheets{true, true, true, true}));
    ASSERT_TRUE(readWholeFile(xml, bytes, 64u << 20));
    EXPECT_NE(cp1251ToUtf8(bytes).find("ss:ExpandedColumnCount=\"2\" ss:ExpandedRowCount=\"12\""),
              std::string::npos);
    std::filesystem::remove(xml);
    EXPECT_TRUE(writeWorkbook(xml, project, WorkbookSheets{}));
    EXPECT_FALSE(std::filesystem::exists(xml));
}

} // namespace
} // namespace dalvex
