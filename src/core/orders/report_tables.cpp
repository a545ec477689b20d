#include "orders/report_tables.h"

#include "orders/dates.h"
#include "text/format.h"
#include "text/numbers.h"

#include <cstddef>
#include <utility>

namespace dalvex {

namespace {

struct LabelledValue {
    std::string label;
    std::string value;
};

// Writes the header row (bold) and sets the column fractions; rows = header + `lines`.
TableSection headedSection(const std::vector<const char*>& heads, const std::vector<double>& fractions,
                           int lines) {
    TableSection s;
    s.setSize(static_cast<int>(heads.size()), 1 + lines);
    s.fractions = fractions;
    for (std::size_t c = 0; c < heads.size(); ++c)
        s.setCell(static_cast<int>(c), 0, heads[c], true);
    return s;
}

void setRow(TableSection& s, int row, std::vector<std::string> texts) {
    for (std::size_t c = 0; c < texts.size(); ++c)
        s.setCell(static_cast<int>(c), row, std::move(texts[c]), false);
}

int sizeOf(std::size_t n) {
    return static_cast<int>(n);
}

std::string kopecksText(const char* pattern, int32_t kopecks) {
    return format(pattern, kopecks / 100.0);
}

std::vector<TableSection> priceTable(const CalcResult& result, const OrderFacts& facts) {
    TableSection lines =
        headedSection({"№", "Артикул", "Название", "Кол-во", "Цена, руб."}, {0.08, 0.14, 0.48, 0.15, 0.15},
                      sizeOf(result.articleLines.size() + result.materialLines.size()));
    lines.codeColumn = 1;
    int row = 1;
    for (const ArticleLine& a : result.articleLines) {
        setRow(lines, row,
               {format("%d", row), a.code, shownArticleNameText(a), articleQuantityText(a),
                kopecksText("%1.2f", a.amount)});
        ++row;
    }
    for (const MaterialLine& m : result.materialLines) {
        setRow(lines, row,
               {format("%d", row), m.name, m.description, format("%1.4f м2", m.area),
                kopecksText("%1.2f", m.amount)});
        ++row;
    }

    TableSection totals;
    totals.setSize(2, 5);
    totals.fractions = {0.25, 0.15};
    totals.leftFraction = 0.6;
    const LabelledValue rows[] = {
        {"Сумма", kopecksText("%0.2f руб.", facts.itemsTotal)},
        {"Скидка", kopecksText("%0.2f руб.", facts.discountAmount)},
        {"Сборка", format("%0.2f руб.", static_cast<double>(facts.card.assemblyCost))},
        {"Доставка", format("%0.2f руб.", static_cast<double>(facts.card.deliveryCost))},
        {"Итого", kopecksText("%0.2f руб.", facts.grandTotal)},
    };
    for (int r = 0; r < 5; ++r) {
        totals.setCell(0, r, rows[r].label, true);
        totals.setCell(1, r, rows[r].value, false);
    }
    std::vector<TableSection> out;
    out.push_back(std::move(lines));
    out.push_back(std::move(totals));
    return out;
}

std::vector<TableSection> orderTable(const OrderFacts& facts) {
    const OrderCard& card = facts.card;
    std::vector<LabelledValue> rows = {
        {"№ заказа", card.orderNumber},
        {"ФИО", card.customerName},
        {"Адрес", card.address},
        {"Телефон", card.phone},
        {"Дата оформления", formatLocalDate(card.orderDate)},
        {"Дата готовности", formatLocalDate(card.readyDate)},
    };
    if (card.assemblyCost >= 1) rows.push_back({"Сборка", format("%d руб.", card.assemblyCost)});
    if (card.deliveryCost >= 1) rows.push_back({"Доставка", format("%d руб.", card.deliveryCost)});
    rows.push_back({facts.usesPlinth ? "Высота шкафа" : "Высота проема", millimetresText(facts.height)});
    rows.push_back({"Ширина проема", millimetresText(facts.width)});
    if (facts.usesPlinth) {
        rows.push_back({"Цоколь", millimetresText(facts.plinthHeight)});
        rows.push_back({"Ширина ЛДСП", millimetresText(facts.chipboardWidth)});
    }
    rows.push_back({"Количество дверей", format("%d", facts.doorCount)});
    rows.push_back({"Цвет профилей", facts.colorName});

    TableSection s;
    s.setSize(2, sizeOf(rows.size()));
    s.fractions = {0.25, 0.6};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        s.setCell(0, static_cast<int>(r), rows[r].label, true);
        s.setCell(1, static_cast<int>(r), rows[r].value, false);
    }
    return {std::move(s)};
}

std::vector<TableSection> profilesTable(const CalcResult& result) {
    TableSection cuts = headedSection({"№", "Артикул", "Название профиля", "Длина, мм", "Номер"},
                                      {0.1, 0.1, 0.5, 0.1, 0.1}, sizeOf(result.cutLines.size()));
    cuts.codeColumn = 1;
    int row = 1;
    for (const CutLine& c : result.cutLines)
        setRow(cuts, row++, {c.label, c.code, c.name, c.length, c.number});

    TableSection panels =
        headedSection({"№", "Артикул", "Название материала", "Высота, мм", "Ширина, мм", "Номер"},
                      {0.1, 0.1, 0.5, 0.1, 0.1, 0.1}, sizeOf(result.panelLines.size()));
    panels.codeColumn = 1;
    row = 1;
    for (const PanelLine& p : result.panelLines)
        setRow(panels, row++, {p.label, p.materialName, p.materialDescription, p.height, p.width, p.number});

    std::vector<TableSection> out;
    out.push_back(std::move(cuts));
    out.push_back(std::move(panels));
    return out;
}

std::vector<TableSection> assemblyTable(const CalcResult& result) {
    TableSection s = headedSection({"№ двери", "Тип элемента", "Артикул", "Название", "Номер"},
                                   {0.1, 0.12, 0.13, 0.5, 0.15}, sizeOf(result.doorLines.size()));
    s.codeColumn = 2;
    int row = 1;
    for (const DoorLine& d : result.doorLines)
        setRow(s, row++, {d.doorNumber, d.kind, d.code, d.name, d.number});
    return {std::move(s)};
}

} // namespace

std::string articleNameText(const ArticleLine& line) {
    std::string text = line.name;
    if (line.barLength != 0) text += format(" %3.1f м.", line.barLength / 10000.0);
    if (!line.error.empty()) text += " \n" + line.error;
    return text;
}

std::string shownArticleNameText(const ArticleLine& line) {
    std::string text = articleNameText(line);
    if (!line.warning.empty()) text += " \n" + line.warning;
    return text;
}

std::string articleQuantityText(const ArticleLine& line) {
    if (line.wholeBars != 0) return format("%d шт.", line.quantity);
    return format("%1.2f м.", line.quantity / 10000.0);
}

std::string millimetresText(int32_t tenths) {
    return format("%d мм", tenths / 10);
}

std::string exportedOrderNumber(const std::string& orderNumber) {
    return format("%05d", readInt(orderNumber));
}

std::vector<TableSection> buildTable(int kind, const CalcResult& result, const OrderFacts& facts) {
    switch (kind) {
    case kPriceTable:
        return priceTable(result, facts);
    case kOrderTable:
        return orderTable(facts);
    case kProfilesTable:
        return profilesTable(result);
    case kAssemblyTable:
        return assemblyTable(result);
    default:
        return {};
    }
}

} // namespace dalvex
