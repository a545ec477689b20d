#include "journal_export.h"

#include "orders/dates.h"
#include "text/format.h"

#include <limits>

namespace dalvex::journal {

std::string moneyText(int64_t kopecks) {
    const char* sign = kopecks < 0 ? "-" : "";
    // The magnitude as unsigned: the most negative number has none of its own.
    const uint64_t magnitude =
        kopecks < 0 ? 0 - static_cast<uint64_t>(kopecks) : static_cast<uint64_t>(kopecks);
    return format("%s%s,%02d", sign, std::to_string(magnitude / 100), static_cast<int>(magnitude % 100));
}

std::optional<int64_t> kopecksFromText(std::string_view text) {
    int64_t roubles = 0;
    int kopecks = 0;
    int fractionDigits = -1; // -1: no separator yet
    bool digits = false;
    for (char c : text) {
        if (c == ' ') continue;
        if (c == ',' || c == '.') {
            if (fractionDigits >= 0) return std::nullopt;
            fractionDigits = 0;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (fractionDigits < 0) {
                if (roubles > std::numeric_limits<int64_t>::max() / 1000) return std::nullopt;
                roubles = roubles * 10 + (c - '0');
            } else if (++fractionDigits <= 2) {
                kopecks = kopecks * 10 + (c - '0');
            } else {
                return std::nullopt; // no fractions of a kopeck
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    if (fractionDigits == 1) kopecks *= 10;
    return roubles * 100 + kopecks;
}

PlainSheet journalSheet(const std::vector<OrderSummary>& rows) {
    PlainSheet sheet;
    sheet.name = "Журнал заказов";
    sheet.heads = {"№ заказа",    "Дата оформления", "ФИО",           "Телефон", "Адрес",
                   "Сумма, руб.", "Оплачено, руб.",  "Остаток, руб.", "Статус",  "Дата готовности"};
    sheet.widths = {60, 80, 160, 100, 200, 70, 70, 70, 90, 80};
    const auto money = [](int64_t kopecks) { return PlainCell{moneyText(kopecks), true}; };
    for (const OrderSummary& o : rows) {
        sheet.rows.push_back({{o.numberText},
                              {formatLocalDate(o.orderDate)},
                              {o.customer},
                              {o.phone},
                              {o.address},
                              money(o.grandTotal),
                              money(o.paid),
                              money(o.outstanding()),
                              {std::string(statusName(o.status))},
                              {formatLocalDate(o.readyDate)}});
    }
    return sheet;
}

bool writeJournalWorkbook(const std::filesystem::path& path, const std::vector<OrderSummary>& rows) {
    return writePlainWorkbook(path, {journalSheet(rows)});
}

} // namespace dalvex::journal
