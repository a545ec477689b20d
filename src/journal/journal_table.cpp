#include "journal_table.h"

#include "journal_export.h"

#include "orders/dates.h"

#include <array>

namespace dalvex::journal {
namespace {

struct ColumnInfo {
    std::string_view title;
    double fraction; // of the printed width
};

constexpr std::array<ColumnInfo, kJournalColumnCount> kColumns = {{
    {"№ заказа", 0.08},
    {"Дата", 0.09},
    {"ФИО", 0.21},
    {"Телефон", 0.13},
    {"Сумма", 0.10},
    {"Оплачено", 0.10},
    {"Остаток", 0.10},
    {"Статус", 0.10},
    {"Готовность", 0.09},
}};

} // namespace

std::string_view journalColumnTitle(int column) {
    return column >= 0 && column < kJournalColumnCount ? kColumns[static_cast<size_t>(column)].title
                                                       : std::string_view();
}

bool isMoneyColumn(int column) {
    return column == kColumnTotal || column == kColumnPaid || column == kColumnOutstanding;
}

std::string journalCellText(const OrderSummary& o, int column) {
    switch (column) {
    case kColumnNumber:
        return o.numberText;
    case kColumnOrderDate:
        return formatLocalDate(o.orderDate);
    case kColumnCustomer:
        return o.customer;
    case kColumnPhone:
        return o.phone;
    case kColumnTotal:
        return moneyText(o.grandTotal);
    case kColumnPaid:
        return moneyText(o.paid);
    case kColumnOutstanding:
        return moneyText(o.outstanding());
    case kColumnStatus:
        return std::string(statusName(o.status));
    case kColumnReadyDate:
        return formatLocalDate(o.readyDate);
    default:
        return {};
    }
}

TableSection journalTable(const std::vector<OrderSummary>& rows) {
    TableSection t;
    t.setSize(kJournalColumnCount, static_cast<int>(rows.size()) + 1);
    for (int c = 0; c < kJournalColumnCount; ++c) {
        t.fractions[static_cast<size_t>(c)] = kColumns[static_cast<size_t>(c)].fraction;
        t.setCell(c, 0, std::string(kColumns[static_cast<size_t>(c)].title), true);
        for (size_t r = 0; r < rows.size(); ++r)
            t.setCell(c, static_cast<int>(r) + 1, journalCellText(rows[r], c), false);
    }
    return t;
}

} // namespace dalvex::journal
