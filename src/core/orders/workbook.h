#pragma once
// The order as a spreadsheet workbook in the XML Spreadsheet 2003 format: up to four worksheets that mirror
// the result tables, in Windows-1251 with LF line ends.
#include "calc/calc_result.h"
#include "orders/report_tables.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {

struct WorkbookSheets {
    bool order = false;
    bool price = false;
    bool profiles = false;
    bool assembly = false;

    bool any() const { return order || price || profiles || assembly; }
};

// The whole workbook as UTF-8 text (the writer converts it to Windows-1251). Texts from the model are escaped
// for XML; control characters other than line feed and tab become spaces.
std::string workbookXml(const CalcResult& result, const OrderFacts& facts, WorkbookSheets sheets);

// Writes the selected worksheets in the order order, price, profiles, assembly, replacing the file
// atomically. No sheet selected: nothing is written and the answer is true. False when the file cannot be
// written.
bool writeWorkbook(const std::filesystem::path& path, const CalcResult& result, const OrderFacts& facts,
                   WorkbookSheets sheets);

// A worksheet of plain rows under a header row, in the workbook's own styles (bold bordered heads, bordered
// cells); what the list of the order journal is exported as.
struct PlainCell {
    std::string text;
    bool number = false; // a Number cell: its decimal comma is written as a point
};
struct PlainSheet {
    std::string name;
    std::vector<std::string> heads;
    std::vector<int> widths; // one per column
    std::vector<std::vector<PlainCell>> rows;
};
std::string plainWorkbookXml(const std::vector<PlainSheet>& sheets);
// Writes the sheets as a workbook in Windows-1251, replacing the file atomically; false when it cannot.
bool writePlainWorkbook(const std::filesystem::path& path, const std::vector<PlainSheet>& sheets);

// Text made safe for XML character data and attribute values: & < > " as entities, control characters other
// than line feed and tab as spaces.
std::string escapeXml(std::string_view text);

} // namespace dalvex
