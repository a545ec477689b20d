#pragma once
// The journal's list as the window shows it and the printer prints it: its columns and their texts.
#include "journal_types.h"

#include "orders/table_section.h"

#include <string>
#include <string_view>
#include <vector>

namespace dalvex::journal {

enum JournalColumn : int {
    kColumnNumber,
    kColumnOrderDate,
    kColumnCustomer,
    kColumnPhone,
    kColumnTotal,
    kColumnPaid,
    kColumnOutstanding,
    kColumnStatus,
    kColumnReadyDate,
    kJournalColumnCount
};

std::string_view journalColumnTitle(int column);
// Whether the column holds money (shown right-aligned).
bool isMoneyColumn(int column);
std::string journalCellText(const OrderSummary& order, int column);
// The rows under a bold header row, the columns as wide as their contents need.
TableSection journalTable(const std::vector<OrderSummary>& rows);

} // namespace dalvex::journal
