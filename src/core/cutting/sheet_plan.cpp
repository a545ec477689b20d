#include "cutting/sheet_plan.h"

#include "calc/line_amounts.h"
#include "records/records.h"
#include "text/format.h"
#include "text/numbers.h"
#include "text/text_case.h"

#include <algorithm>

namespace dalvex {

namespace {

// Lower case with "ё" read as "е", as decor names are written either way.
std::string folded(std::string_view text) {
    std::string s = toLower(text);
    for (size_t at = s.find("ё"); at != std::string::npos; at = s.find("ё", at))
        s.replace(at, 2, "е");
    return s;
}

// A word of the rule matches the start of a word of the text ("дуб" finds "Дуб Бардолино" and "дубовый", not
// "Арктик" for "тик").
bool holdsAnyWord(const std::string& text, const std::vector<std::string>& words) {
    const auto startsWord = [&](size_t at) {
        if (at == 0) return true;
        // Any byte of a multi-byte letter, a Latin letter or a digit continues a word.
        const auto c = static_cast<unsigned char>(text[at - 1]);
        return c < 0x80 && !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
    };
    return std::any_of(words.begin(), words.end(), [&](const std::string& word) {
        const std::string w = folded(word);
        if (w.empty()) return false;
        for (size_t at = text.find(w); at != std::string::npos; at = text.find(w, at + 1))
            if (startsWord(at)) return true;
        return false;
    });
}

// The sheet of a material in 0.1 mm; 0 when the list gives none.
int32_t sheetSide(int32_t millimetres) {
    return millimetres > 0 ? clampToInt(int64_t{millimetres} * 10) : 0;
}

constexpr std::string_view kNoSheetSize = "Размер листа не указан в списке материалов: раскрой не составлен.";
constexpr std::string_view kSizeless = "ОШИБКА! Есть панели нулевого или отрицательного размера.";

std::string oversizedText(const MaterialSheets& m) {
    const int64_t length = std::max<int64_t>(0, int64_t{m.sheetLength} - 2 * int64_t{m.trim});
    const int64_t width = std::max<int64_t>(0, int64_t{m.sheetWidth} - 2 * int64_t{m.trim});
    std::string text = format("ОШИБКА! Есть панели больше листа %d × %d мм за вычетом торцовки.",
                              static_cast<int>(length / 10), static_cast<int>(width / 10));
    if (m.grain) text += " Текстура: высота панели вдоль длины листа.";
    return text;
}

PlannedPanel plannedPanel(const PanelLine& line) {
    PlannedPanel p;
    p.label = line.label;
    p.doorIndex = line.doorIndex;
    p.height = line.cutHeight;
    p.width = line.cutWidth;
    return p;
}

// A panel no sheet gives goes into the plan's list with its reason, and the reason into its error once.
void leaveOut(MaterialSheets& plan, const PanelLine& line, std::string_view reason) {
    PlannedPanel p = plannedPanel(line);
    p.reason = std::string(reason);
    plan.leftOut.push_back(std::move(p));
    if (plan.error.find(reason) != std::string::npos) return;
    if (!plan.error.empty()) plan.error += ' ';
    plan.error += reason;
}

} // namespace

double MaterialSheets::utilisation() const {
    double panels = 0.0;
    for (const PlannedSheet& sheet : sheets)
        for (const PlannedPanel& p : sheet.panels)
            panels += static_cast<double>(p.height) * static_cast<double>(p.width);
    const double bought = static_cast<double>(sheets.size()) * static_cast<double>(sheetLength) *
                          static_cast<double>(sheetWidth);
    return bought > 0.0 ? panels / bought : 0.0;
}

bool hasGrain(const Material& material, const CuttingSettings& settings) {
    if (material.grain) return *material.grain;
    return holdsAnyWord(folded(material.collection), settings.grainCollections) &&
           (settings.grainDecors.empty() || holdsAnyWord(folded(material.name), settings.grainDecors));
}

std::vector<MaterialSheets> planSheets(const CalcResult& result, const CuttingSettings& settings) {
    // The panels of each line, apart by sheet: a line may join materials of one code from several lists.
    std::vector<MaterialSheets> plans;
    std::vector<std::vector<const PanelLine*>> panels;
    const Material* last = nullptr; // neighbouring panels mostly share a material: its grain is read once
    bool grain = false;
    for (const PanelLine& panel : result.panelLines) {
        const Material* m = panel.material;
        if (m == nullptr || panel.materialLine < 0 ||
            static_cast<size_t>(panel.materialLine) >= result.materialLines.size())
            continue;
        if (m != last) {
            last = m;
            grain = hasGrain(*m, settings);
        }
        MaterialSheets key;
        key.lineIndex = panel.materialLine;
        key.thickness = m->thickness;
        key.sheetLength = sheetSide(m->length);
        key.sheetWidth = sheetSide(m->width);
        key.grain = grain;
        auto same = std::find_if(plans.begin(), plans.end(), [&](const MaterialSheets& p) {
            return p.lineIndex == key.lineIndex && p.thickness == key.thickness &&
                   p.sheetLength == key.sheetLength && p.sheetWidth == key.sheetWidth && p.grain == key.grain;
        });
        if (same == plans.end()) {
            const MaterialLine& line = result.materialLines[static_cast<size_t>(panel.materialLine)];
            key.code = line.name;
            key.name = line.description;
            key.kerf = settings.sheetKerf;
            key.trim = settings.sheetTrim;
            same = plans.insert(plans.end(), std::move(key));
            panels.emplace_back();
        }
        panels[static_cast<size_t>(same - plans.begin())].push_back(&panel);
    }

    for (size_t k = 0; k < plans.size(); ++k) {
        MaterialSheets& plan = plans[k];
        const std::vector<const PanelLine*>& lines = panels[k];
        if (plan.sheetLength == 0 || plan.sheetWidth == 0) {
            for (const PanelLine* line : lines)
                leaveOut(plan, *line, kNoSheetSize);
            continue;
        }
        std::vector<SheetPiece> pieces;
        for (const PanelLine* line : lines)
            pieces.push_back({line->cutHeight, line->cutWidth});
        const SheetPacking packed =
            packSheets(pieces, {plan.sheetLength, plan.sheetWidth, plan.kerf, plan.trim, plan.grain});
        for (const PackedSheet& sheet : packed.sheets) {
            PlannedSheet planned;
            planned.cuts = sheet.cuts;
            planned.offcut = sheet.offcut;
            for (const PiecePlacement& at : sheet.placements) {
                PlannedPanel p = plannedPanel(*lines[static_cast<size_t>(at.piece)]);
                p.x = at.x;
                p.y = at.y;
                p.rotated = at.rotated;
                planned.panels.push_back(std::move(p));
            }
            plan.sheets.push_back(std::move(planned));
        }
        // Every panel of the material is accounted for: placed, too large, or of no size (a door made lower
        // than its dividers allow).
        const std::string oversized = oversizedText(plan);
        std::vector<std::pair<int32_t, std::string_view>> left;
        for (int32_t i : packed.oversized)
            left.emplace_back(i, oversized);
        for (int32_t i : packed.sizeless)
            left.emplace_back(i, kSizeless);
        std::sort(left.begin(), left.end()); // in the order of the bill
        for (const auto& [i, reason] : left)
            leaveOut(plan, *lines[static_cast<size_t>(i)], reason);
        plan.areaBound = packed.areaBound;
        plan.proved = packed.proved;
    }
    return plans;
}

void priceBySheets(CalcResult& result, const std::vector<MaterialSheets>& plans) {
    for (size_t l = 0; l < result.materialLines.size(); ++l) {
        MaterialLine& line = result.materialLines[l];
        const PanelLine* last = nullptr;
        for (const PanelLine& panel : result.panelLines)
            if (panel.materialLine == static_cast<int32_t>(l) && panel.material != nullptr) last = &panel;
        if (last == nullptr || !line.error.empty()) continue;
        double area = 0.0;
        size_t sheets = 0;
        bool planned = false, complete = true;
        for (const MaterialSheets& plan : plans) {
            if (plan.lineIndex != static_cast<int32_t>(l)) continue;
            planned = true;
            complete = complete && plan.error.empty();
            sheets += plan.sheets.size();
            area += static_cast<double>(plan.sheets.size()) * (plan.sheetLength / 10000.0) *
                    (plan.sheetWidth / 10000.0);
        }
        // At the price the bill takes: that of the line's last panel (one the list could not hold stays an
        // error of the bill's).
        const int32_t price = last->material->pricePerSquareMetre;
        if (!planned || !complete || price == kPriceOutOfRange) continue;
        line.area = area;
        line.amount = ceilToInt(price * area);
        line.description += ", листов: " + std::to_string(sheets);
    }
    // More sheets may cost more than the totals can hold.
    checkLineAmounts(result);
}

} // namespace dalvex
