#pragma once
// The sheet cutting plan of an order: for every material bought in sheets, which panel is cut from which
// sheet and where, the cuts stage by stage, the offcut worth keeping, and the panels no sheet can give.
#include "calc/calc_result.h"
#include "cutting/cutting_settings.h"
#include "cutting/sheet_packing.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dalvex {

struct Material;

// One panel of the plan, as its panel line names it.
struct PlannedPanel {
    std::string label;
    int32_t doorIndex = 0;
    int32_t height = 0; // as billed, 0.1 mm
    int32_t width = 0;
    int32_t x = 0; // on the sheet, from its corner (the trim included); x along the sheet's length
    int32_t y = 0;
    bool rotated = false; // the panel's height runs along the sheet's width
    std::string reason;   // why no sheet gives it; empty for a planned panel
};

struct PlannedSheet {
    std::vector<PlannedPanel> panels;
    std::vector<SheetCut> cuts; // stage by stage
    SheetRect offcut;           // the largest piece of waste; length 0 when there is none
};

// The sheets of one material (of one sheet size) of one material line.
struct MaterialSheets {
    int32_t lineIndex = 0; // the material line in the result
    std::string code;
    std::string name;
    int32_t thickness = 0;
    int32_t sheetLength = 0; // 0.1 mm; 0 when the material list gives no sheet size
    int32_t sheetWidth = 0;
    int32_t kerf = 0;
    int32_t trim = 0;
    bool grain = false;
    std::vector<PlannedSheet> sheets;  // fullest first
    std::vector<PlannedPanel> leftOut; // no sheet can give them (or the sheet size is unknown); with reasons
    std::string error;                 // the reasons panels were left out; empty when every panel is planned
    int32_t areaBound = 0;             // sheets no plan can do without
    bool proved = false;               // no plan needs fewer sheets

    // The panels' area over the sheets' (0 without sheets).
    double utilisation() const;
};

// Whether the material's decor has a direction: its list's "текстура" column when it says, else the shop's
// rule (a word of the collection's name and one of the material's name start with one of the rule's words;
// "ё" counts as "е").
bool hasGrain(const Material& material, const CuttingSettings& settings);

// Plans the panels of every material line, with the sheet kerf and trim of `settings`; the panels of a line
// take their own material's sheet size and grain.
std::vector<MaterialSheets> planSheets(const CalcResult& result, const CuttingSettings& settings);

// The material lines whose every panel is planned are priced by whole sheets: their area becomes the sheets'
// area, their amount that area at the material's price, and their description names the sheets. Lines with
// an error, or with panels left out of the plan, keep the bill's figures; amounts the totals cannot hold
// become errors (checkLineAmounts).
void priceBySheets(CalcResult& result, const std::vector<MaterialSheets>& plans);

} // namespace dalvex
