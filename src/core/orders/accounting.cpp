#include "orders/accounting.h"

#include "io/atomic_file.h"
#include "text/encoding.h"
#include "text/format.h"

namespace dalvex {

std::string accountingText(const CalcResult& result, const OrderFacts& facts) {
    std::string out = format("№ заказа;%s\r\n", exportedOrderNumber(facts.card.orderNumber));
    out += "№;Артикул;Название;Кол-во;Ед.изм.;Цена,руб.\r\n";
    int number = 1;
    // The error's bare line feed stays in the name field: such a record spans two physical lines.
    for (const ArticleLine& a : result.articleLines) {
        const bool pieces = a.wholeBars != 0;
        out += format("%s;%s;%s;%s;%s;%s\r\n", format("%d", number++), a.code, articleNameText(a),
                      pieces ? format("%d", a.quantity) : format("%1.2f", a.quantity / 10000.0),
                      pieces ? "шт" : "м", format("%1.2f", a.amount / 100.0));
    }
    for (const MaterialLine& m : result.materialLines) {
        out += format("%s;%s;%s;%s;%s;%s\r\n", format("%d", number++), m.name, m.description,
                      format("%1.4f", m.area), "м2", format("%1.2f", m.amount / 100.0));
    }
    out += format("Сумма;%0.2f\r\n", facts.itemsTotal / 100.0);
    out += format("Скидка;%0.2f\r\n", facts.discountAmount / 100.0);
    out += format("Сборка;%0.2f\r\n", static_cast<double>(facts.card.assemblyCost));
    out += format("Доставка;%0.2f\r\n", static_cast<double>(facts.card.deliveryCost));
    out += format("Итого;%0.2f\r\n", facts.grandTotal / 100.0);
    return out;
}

bool writeAccountingFile(const std::filesystem::path& path, const CalcResult& result,
                         const OrderFacts& facts) {
    return writeFileAtomically(path, utf8ToCp1251(accountingText(result, facts)));
}

} // namespace dalvex
