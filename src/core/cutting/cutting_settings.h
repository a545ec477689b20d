#pragma once
// The shop's cutting settings in config/cutting.txt: the saw's kerf, the trim at the start of every bar, and
// whether whole-bar articles are priced by the cutting plan instead of the bill's own packing; for the sheets
// of the fillings the panel saw's kerf, the trim along the sheet edges, whether materials are priced by whole
// sheets, and which materials have a decor direction (grain).
#include "calc/calc_result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {

struct CuttingSettings {
    int32_t kerf = 40; // 0.1 mm
    int32_t trim = 0;  // 0.1 mm
    bool priceByPlan = false;
    int32_t sheetKerf = 40;  // 0.1 mm
    int32_t sheetTrim = 100; // 0.1 mm, along every edge of a sheet
    bool priceBySheets = false;
    // A material without a "текстура" column value has grain when its collection's name holds one of the
    // collection words and its own name one of the decor words (any name when there are none); lower case.
    std::vector<std::string> grainCollections{"лдсп"};
    std::vector<std::string> grainDecors{"дуб",    "орех",    "ясень",       "бук",   "вишня", "берёза",
                                         "акация", "клён",    "сосна",       "ольха", "груша", "венге",
                                         "тик",    "зебрано", "лиственница", "дерево"};
};

// Accepted ranges, in 0.1 mm.
inline constexpr int32_t kMaxKerf = 1000;
inline constexpr int32_t kMaxTrim = 10000;

struct CuttingSettingsRead {
    CuttingSettings settings;
    std::vector<std::string> problems; // one text per line that was not understood; its default is used
};

// Reads "key = value" lines: kerf, trim, sheet_kerf and sheet_trim in millimetres (one decimal allowed, "."
// or ","), price_by_plan and price_by_sheets yes or no, grain_collections and grain_decors as comma-separated
// words. Blank lines and lines starting with '#' are skipped.
CuttingSettingsRead parseCuttingSettings(std::string_view text);

// The file's text for `settings`, with a comment naming the keys.
std::string cuttingSettingsText(const CuttingSettings& settings);

// Reads config/cutting.txt; when it is missing, writes it with the defaults (silently skipped when the
// folder cannot be written) and returns the defaults.
CuttingSettingsRead loadCuttingSettings(const std::filesystem::path& configFolder);

// With price by the plan on, the whole-bar article lines take the plan's bar counts; with price by sheets on,
// the material lines take the sheet plan's whole sheets; otherwise nothing changes.
void applyCuttingSettings(CalcResult& result, const CuttingSettings& settings);

} // namespace dalvex
