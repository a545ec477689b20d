#include "io/atomic_file.h"
#include "io/whole_file.h"
#include "orders/workbook.h"
#include "report_examples.h"
#include "text/encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

namespace dalvex {
namespace {

using test::exampleFacts;
using test::exampleResult;
using test::TempFolder;

const WorkbookSheets kAllSheets{true, true, true, true};

// Writes the workbook and reads it back as UTF-8.
std::string writeAndRead(const std::filesystem::path& path, const CalcResult& r, const OrderFacts& f,
                         WorkbookSheets sheets) {
    EXPECT_TRUE(writeWorkbook(path, r, f, sheets));
    std::string bytes;
    EXPECT_TRUE(readWholeFile(path, bytes, 64u << 20));
    return cp1251ToUtf8(bytes);
}

std::vector<int> expandedRowCounts(const std::string& xml) {
    std::vector<int> counts;
    const std::regex re("ss:ExpandedRowCount=\"(\\d+)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), re); it != std::sregex_iterator(); ++it)
        counts.push_back(std::stoi((*it)[1]));
    return counts;
}

// The number of <Row> elements in each worksheet, in order.
std::vector<int> writtenRowCounts(const std::string& xml) {
    std::vector<int> counts;
    std::size_t at = 0;
    while ((at = xml.find("<Worksheet ", at)) != std::string::npos) {
        const std::size_t end = xml.find("</Worksheet>", at);
        int rows = 0;
        for (std::size_t r = xml.find("<Row>", at); r < end; r = xml.find("<Row>", r + 1))
            ++rows;
        counts.push_back(rows);
        at = end;
    }
    return counts;
}

std::string cell(const char* style, const char* type, const std::string& text) {
    return std::string("<Cell ss:StyleID=\"") + style + "\"><Data ss:Type=\"" + type + "\">" + text +
           "</Data></Cell>\n";
}

// The workbooks the structural checks below run on.
struct Variant {
    const char* name;
    CalcResult result;
    OrderFacts facts;
    WorkbookSheets sheets;
};

std::vector<Variant> variants() {
    std::vector<Variant> v;
    v.push_back({"all", exampleResult(), exampleFacts(true), kAllSheets});
    v.push_back({"nothing calculated", CalcResult{}, OrderFacts{}, kAllSheets});
    v.push_back({"order only", exampleResult(), exampleFacts(false), {true, false, false, false}});
    v.push_back({"assembly only", exampleResult(), exampleFacts(false), {false, false, false, true}});
    Variant awkward{"awkward texts", exampleResult(), exampleFacts(true), kAllSheets};
    awkward.facts.card.customerName = "«Иванов & сыновья»";
    awkward.facts.card.address = "a\"b\r\nc\x01";
    awkward.result.materialLines[0].description = "Стекло <матовое>";
    awkward.result.articleLines[0].error = "ОШИБКА: Ролики не подходят к выбранным ручкам.";
    awkward.result.doorLines[0].name = "☃ снеговик";
    v.push_back(std::move(awkward));
    return v;
}

TEST(Workbook, NoSheetSelectedWritesNothing) {
    TempFolder dir;
    const auto path = dir.path() / "order.xml";
    EXPECT_TRUE(writeWorkbook(path, exampleResult(), exampleFacts(true), WorkbookSheets{}));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Workbook, UnwritablePathFails) {
    TempFolder dir;
    EXPECT_FALSE(
        writeWorkbook(dir.path() / "missing" / "order.xml", exampleResult(), exampleFacts(true), kAllSheets));
}

TEST(Workbook, BytesAreWindows1251WithLineFeedsOnly) {
    TempFolder dir;
    const auto path = dir.path() / "order.xml";
    ASSERT_TRUE(writeWorkbook(path, exampleResult(), exampleFacts(true), kAllSheets));
    std::string bytes;
    ASSERT_TRUE(readWholeFile(path, bytes, 64u << 20));
    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<?mso-application", 0), 0u);
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    EXPECT_NE(bytes.find("<Worksheet ss:Name=\"\xC7\xE0\xEA\xE0\xE7\">\n"), std::string::npos); // "Заказ"
    EXPECT_EQ(bytes.substr(bytes.size() - 26), "</Worksheet>\n </Workbook>\n");
}

TEST(Workbook, SheetsInFixedOrderWithTheirRowCounts) {
    TempFolder dir;
    const std::string xml =
        writeAndRead(dir.path() / "a.xml", exampleResult(), exampleFacts(true), kAllSheets);
    EXPECT_EQ(expandedRowCounts(xml), (std::vector<int>{14, 11, 11, 4}));
    EXPECT_EQ(writtenRowCounts(xml), (std::vector<int>{14, 11, 11, 4}));
    const std::size_t order = xml.find("ss:Name=\"Заказ\"");
    const std::size_t price = xml.find("ss:Name=\"Рассчет цены\"");
    const std::size_t profiles = xml.find("ss:Name=\"Профили и материалы\"");
    const std::size_t assembly = xml.find("ss:Name=\"Сборка\"");
    EXPECT_LT(order, price);
    EXPECT_LT(price, profiles);
    EXPECT_LT(profiles, assembly);
    EXPECT_NE(assembly, std::string::npos);
    EXPECT_NE(xml.find(" <Table ss:ExpandedColumnCount=\"6\" ss:ExpandedRowCount=\"11\" x:FullColumns=\"1\"\n"
                       "  x:FullRows=\"1\">\n"
                       "  <Column ss:AutoFitWidth=\"0\" ss:Width=\"50\"/>\n"),
              std::string::npos);
}

TEST(Workbook, RowCountsOfEveryVariantMatchTheRowsWritten) {
    TempFolder dir;
    for (const Variant& v : variants()) {
        const std::string xml = writeAndRead(dir.path() / "v.xml", v.result, v.facts, v.sheets);
        EXPECT_EQ(expandedRowCounts(xml), writtenRowCounts(xml)) << v.name;
    }
    const std::string empty = writeAndRead(dir.path() / "e.xml", CalcResult{}, OrderFacts{}, kAllSheets);
    EXPECT_EQ(expandedRowCounts(empty), (std::vector<int>{12, 7, 3, 1}));
}

TEST(Workbook, OrderSheetCells) {
    TempFolder dir;
    OrderFacts facts = exampleFacts(false);
    const std::string none =
        writeAndRead(dir.path() / "a.xml", CalcResult{}, facts, {true, false, false, false});
    EXPECT_NE(none.find(cell("s21", "String", "№ заказа") + "   " + cell("s38", "String", "00042")),
              std::string::npos);
    EXPECT_NE(none.find(cell("s21", "String", "Сборка") + "   " + cell("s37", "String", "нет")),
              std::string::npos);
    EXPECT_NE(none.find(cell("s37", "String", "05.03.2012")), std::string::npos);
    EXPECT_NE(none.find(cell("s21", "String", "Высота проема") + "   " + cell("s37", "String", "2000 мм")),
              std::string::npos);
    EXPECT_EQ(none.find("Цоколь"), std::string::npos);

    facts.card.assemblyCost = 1500;
    facts.card.orderNumber = "номер";
    const std::string some =
        writeAndRead(dir.path() / "b.xml", CalcResult{}, facts, {true, true, false, false});
    EXPECT_NE(some.find(cell("s21", "String", "Сборка") + "   " + cell("s37", "Number", "1500")),
              std::string::npos);
    EXPECT_NE(some.find(cell("s21", "String", "Доставка") + "   " + cell("s37", "String", "нет")),
              std::string::npos);
    EXPECT_NE(some.find(cell("s38", "String", "00000")), std::string::npos);
    // The price sheet shows both costs as numbers, whatever they are.
    EXPECT_NE(
        some.find("<Cell ss:Index=\"4\" ss:StyleID=\"s23\"><Data ss:Type=\"String\">Сборка</Data></Cell>\n"
                  "   " +
                  cell("s23", "Number", "1500.00")),
        std::string::npos);
    EXPECT_NE(
        some.find("<Cell ss:Index=\"4\" ss:StyleID=\"s23\"><Data ss:Type=\"String\">Доставка</Data></Cell>\n"
                  "   " +
                  cell("s23", "Number", "0.00")),
        std::string::npos);
}

TEST(Workbook, PriceProfilesAndAssemblyCells) {
    TempFolder dir;
    const std::string xml =
        writeAndRead(dir.path() / "a.xml", exampleResult(), exampleFacts(true), kAllSheets);
    const std::string articleRow =
        "  <Row>\n   " + cell("s24", "Number", "2") + "   " + cell("s23", "String", "JB01") + "   " +
        cell("s23", "String", "Профиль ручка 5,4 м.") + "   " + cell("s23", "String", "3 шт.") + "   " +
        cell("s23", "Number", "4050.00") + "  </Row>\n";
    EXPECT_NE(xml.find(articleRow), std::string::npos);
    EXPECT_NE(xml.find(cell("s23", "String", "1,2345 м2") + "   " + cell("s23", "Number", "617.25")),
              std::string::npos);
    EXPECT_NE(xml.find(cell("s23", "Number", "617.25") + "  </Row>\n  <Row>\n  </Row>\n  <Row>\n"),
              std::string::npos);
    EXPECT_NE(xml.find(cell("s23", "Number", "7429.75") + "  </Row>\n </Table>\n"), std::string::npos);
    EXPECT_NE(xml.find(cell("s24", "String", "1-6") + "   " + cell("s23", "String", "JB01") + "   " +
                       cell("s23", "String", "Профиль ручка 5,4 м.") + "   " +
                       cell("s24", "Number", "2460.0") + "   " + cell("s24", "Number", "6")),
              std::string::npos);
    EXPECT_NE(xml.find(cell("s24", "Number", "760") + "   " + cell("s24", "Number", "800")),
              std::string::npos);
    EXPECT_NE(xml.find(cell("s24", "Number", "2") + "   " + cell("s23", "String", "Вставка") + "   " +
                       cell("s23", "String", "M1") + "   " + cell("s24", "String", "ЛДСП белый")),
              std::string::npos);
}

TEST(Workbook, ModelTextsAreEscaped) {
    TempFolder dir;
    const Variant v = variants().back();
    const std::string xml = writeAndRead(dir.path() / "a.xml", v.result, v.facts, v.sheets);
    EXPECT_NE(xml.find(cell("s37", "String", "«Иванов &amp; сыновья»")), std::string::npos);
    EXPECT_NE(xml.find(cell("s37", "String", "a&quot;b \nc ")), std::string::npos);
    EXPECT_NE(xml.find(cell("s23", "String", "Стекло &lt;матовое&gt;")), std::string::npos);
    EXPECT_NE(xml.find(cell("s23", "String",
                            "Направляющая верхняя \nОШИБКА: Ролики не подходят к выбранным ручкам.")),
              std::string::npos);
    EXPECT_NE(xml.find(cell("s24", "String", "? снеговик")), std::string::npos); // not in the code page
    EXPECT_EQ(escapeXml("<a & \"b\">\t\x1f"), "&lt;a &amp; &quot;b&quot;&gt;\t ");
}

bool haveCommand(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(Workbook, EveryVariantIsWellFormedXml) {
    if (!haveCommand("xmllint")) GTEST_SKIP() << "xmllint is not installed";
    TempFolder dir;
    for (const Variant& v : variants()) {
        const auto path = dir.path() / "book.xml";
        std::string xml = writeAndRead(path, v.result, v.facts, v.sheets);
        const std::string declared = "encoding=\"windows-1251\"";
        xml.replace(xml.find(declared), declared.size(), "encoding=\"UTF-8\"");
        const auto decoded = dir.path() / "decoded.xml";
        ASSERT_TRUE(writeFileAtomically(decoded, xml));
        const std::string command = "xmllint --noout '" + decoded.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << v.name;
    }
}

// Converts the first worksheet with LibreOffice to UTF-8 CSV holding the raw cell values (not as displayed).
std::string firstSheetAsCsv(const std::filesystem::path& folder, const std::string& name) {
    const std::string dir = folder.string();
    const std::string command =
        "cd '" + dir + "' && soffice --headless -env:UserInstallation=file://" + dir +
        "/profile --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,"
        "false' --outdir '" +
        dir + "' " + name + ".xml >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return {};
    std::string csv;
    readWholeFile(folder / (name + ".csv"), csv, 64u << 20);
    return csv;
}

TEST(Workbook, SpreadsheetProgramReadsTheCells) {
    if (!haveCommand("soffice")) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    TempFolder dir;
    OrderFacts facts = exampleFacts(true);
    facts.card.assemblyCost = 1500;
    facts.card.customerName = "«Иванов & сыновья»";
    CalcResult result = exampleResult();
    result.materialLines[0].description = "Стекло <матовое>";
    ASSERT_TRUE(writeWorkbook(dir.path() / "order.xml", result, facts, {true, false, false, false}));
    ASSERT_TRUE(writeWorkbook(dir.path() / "price.xml", result, facts, {false, true, false, false}));

    const std::string order = firstSheetAsCsv(dir.path(), "order");
    EXPECT_NE(order.find("№ заказа,00042\n"), std::string::npos) << order;
    EXPECT_NE(order.find("ФИО,«Иванов & сыновья»\n"), std::string::npos) << order;
    EXPECT_NE(order.find("Доставка,нет\n"), std::string::npos) << order;
    EXPECT_NE(order.find("Цоколь,54 мм\n"), std::string::npos) << order;

    // Number cells arrive as numbers: the decimal point was understood, the text cells stay texts.
    const std::string price = firstSheetAsCsv(dir.path(), "price");
    EXPECT_NE(price.find("1,JB10,Направляющая верхняя,\"12,50 м.\",1562.5\n"), std::string::npos) << price;
    EXPECT_NE(price.find("4,M1,Стекло <матовое>,\"1,2345 м2\",617.25\n"), std::string::npos) << price;
    EXPECT_NE(price.find(",,,Сборка,1500\n"), std::string::npos) << price;
    EXPECT_NE(price.find(",,,Итого,7429.75\n"), std::string::npos) << price;
}

} // namespace
} // namespace dalvex
