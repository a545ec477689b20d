#pragma once
// The journal's list as a spreadsheet workbook (XML Spreadsheet 2003, the same format and styles as the
// order's own workbook).
#include "journal_types.h"

#include "orders/workbook.h"

#include <filesystem>
#include <vector>

namespace dalvex::journal {

// One worksheet "Журнал заказов": number, date, customer, phone, address, total, paid, outstanding, status,
// ready date; money in roubles as numbers.
PlainSheet journalSheet(const std::vector<OrderSummary>& rows);
bool writeJournalWorkbook(const std::filesystem::path& path, const std::vector<OrderSummary>& rows);

// Kopecks as the program shows money: "1234,50".
std::string moneyText(int64_t kopecks);
// An amount typed in roubles ("1500", "1500,50", "1 500.5") as kopecks; nothing for anything else.
std::optional<int64_t> kopecksFromText(std::string_view text);

} // namespace dalvex::journal
