// The filling materials of a sketch: one line per material with its area and amount, one panel line per
// insert, and the warning line for inserts left without material.
#include "calc/geometry_util.h"
#include "calc/line_text.h"
#include "calc/systems.h"
#include "text/encoding.h"
#include "text/format.h"
#include "text/numbers.h"

#include <map>

namespace dalvex {

namespace {

struct Utf16Less {
    bool operator()(const std::string& a, const std::string& b) const { return lessByUtf16(a, b); }
};

struct MaterialEntry {
    MaterialLine line;
    std::vector<std::pair<int32_t, const Insert*>> panels; // door index and insert, in walking order
};

struct FillingRules {
    bool keyByCodeOnly = false; // the seal systems merge materials of one code from different pictures
    bool decimalSizes = false;  // panel sizes in millimetres with one decimal instead of whole millimetres
};

double areaOf(const Insert& insert) {
    return (insert.panelHeight / 10000.0) * (insert.panelWidth / 10000.0);
}

std::string descriptionOf(const Material& m) {
    return m.fromFolder ? m.name + " (" + m.key() + ")" : m.name;
}

// A panel's size as the bill states it: whole millimetres, or tenths where the sizes are decimal.
int32_t billedSize(int32_t size, bool decimal) {
    return decimal ? size : clampToInt(int64_t{floorToInt(size / 10.0 + 0.5)} * 10);
}

std::string panelSize(int32_t size, bool decimal) {
    return decimal ? tenthsText(size) : countText(billedSize(size, false) / 10);
}

void collectMaterials(const DoorSketch& sketch, CalcResult& result, int32_t doorCount,
                      const FillingRules& rules) {
    MaterialLine missing;
    missing.name = "ВНИМАНИЕ";
    missing.description = "ОТДЕЛОЧНЫЙ МАТЕРИАЛ НЕ УКАЗАН";
    std::map<std::string, MaterialEntry, Utf16Less> entries;
    const Material* lastMaterial = nullptr;
    MaterialEntry* lastEntry = nullptr;
    for (int k = 0; k < doorCount; ++k) {
        const Door& door = sketch.doors[k];
        for (const auto& [id, insert] : door.inserts) {
            const Material* m = insert.material;
            if (m == nullptr) {
                missing.area += areaOf(insert);
                continue;
            }
            // Neighbouring inserts mostly share a material: its line is looked up once for the run.
            if (m != lastMaterial) {
                lastMaterial = m;
                lastEntry = &entries[rules.keyByCodeOnly ? m->code : m->code + m->key()];
            }
            MaterialEntry& entry = *lastEntry;
            MaterialLine& line = entry.line;
            line.name = m->code;
            line.description = descriptionOf(*m);
            line.thickness = m->thickness;
            line.amount = m->pricePerSquareMetre;
            line.area += areaOf(insert);
            if (insert.thicknessError)
                line.error =
                    format("ОШИБКА: Не подходящий по толщине (%2.2f) материал.", m->thickness / 10.0);
            entry.panels.emplace_back(door.index, &insert);
        }
    }
    for (auto& [key, entry] : entries) {
        MaterialLine& line = entry.line;
        // A price the list could not hold makes any area of it more than the totals can hold.
        if (line.error.empty() && !(line.amount == kPriceOutOfRange && line.area > 0))
            line.amount = ceilToInt(line.amount * line.area);
        result.materialLines.push_back(line);
        const auto lineIndex = static_cast<int32_t>(result.materialLines.size() - 1);
        int32_t k = 0;
        for (const auto& [doorIndex, insert] : entry.panels) {
            result.panelLines.push_back({labelText(result.materialGroup, ++k), line.name, line.description,
                                         panelSize(insert->panelHeight, rules.decimalSizes),
                                         panelSize(insert->panelWidth, rules.decimalSizes),
                                         countText(insert->number), doorIndex, insert->material, lineIndex,
                                         billedSize(insert->panelHeight, rules.decimalSizes),
                                         billedSize(insert->panelWidth, rules.decimalSizes)});
        }
        ++result.materialGroup;
    }
    if (missing.area > 0) result.materialLines.push_back(missing);
}

} // namespace

void DSSystem::collectFillings(DoorSketch& sketch, CalcResult& result) const {
    collectMaterials(sketch, result, doorsOf(sketch), FillingRules{});
}

void DSSystem::collectFillingsWithSeal(DoorSketch& sketch, CalcResult& result) const {
    collectMaterials(sketch, result, doorsOf(sketch), FillingRules{true, true});
    // Thin fillings (4 and 8 mm) sit in a silicone seal all round.
    int64_t seal = 0;
    forEachInsert(sketch, [&](const Door&, const Insert& insert) {
        const Material* m = insert.material;
        if (m == nullptr || insert.thicknessError || m->thickness == 0 || m->thickness == 100) return;
        seal += 2 * (int64_t{insert.panelWidth} + insert.panelHeight);
    });
    const Article* sealArticle = ruleArticle("JB17");
    if (seal > 0 && sealArticle != nullptr)
        result.articleLines.push_back(lengthLine(sealArticle, clampToInt(seal), nullptr));
}

void DSSystemBorvik::collectFillings(DoorSketch& sketch, CalcResult& result) const {
    collectFillingsWithSeal(sketch, result);
}

void DSSystemFeldor::collectFillings(DoorSketch& sketch, CalcResult& result) const {
    collectFillingsWithSeal(sketch, result);
}

} // namespace dalvex
