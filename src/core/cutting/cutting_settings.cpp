#include "cutting/cutting_settings.h"

#include "cutting/cut_plan.h"
#include "cutting/sheet_plan.h"
#include "io/atomic_file.h"
#include "io/whole_file.h"
#include "text/excerpt.h"
#include "text/text_case.h"

#include <charconv>
#include <optional>

namespace dalvex {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Millimetres with at most one decimal ("4", "3.2", "3,2") to tenths, within 0..max.
std::optional<int32_t> tenthsOf(std::string_view text, int32_t max) {
    const size_t point = text.find_first_of(".,");
    const std::string_view whole = text.substr(0, point);
    int32_t millimetres = 0;
    const auto [end, ec] = std::from_chars(whole.data(), whole.data() + whole.size(), millimetres);
    if (ec != std::errc() || end != whole.data() + whole.size() || whole.empty()) return std::nullopt;
    int32_t tenth = 0;
    if (point != std::string_view::npos) {
        const std::string_view decimal = text.substr(point + 1);
        if (decimal.size() != 1 || decimal[0] < '0' || decimal[0] > '9') return std::nullopt;
        tenth = decimal[0] - '0';
    }
    if (millimetres < 0 || millimetres > max / 10) return std::nullopt;
    const int32_t tenths = millimetres * 10 + tenth;
    if (tenths > max) return std::nullopt;
    return tenths;
}

std::optional<bool> flagOf(std::string_view text) {
    for (std::string_view yes : {"yes", "on", "true", "1", "да"})
        if (text == yes) return true;
    for (std::string_view no : {"no", "off", "false", "0", "нет"})
        if (text == no) return false;
    return std::nullopt;
}

// Comma-separated words, lower-cased; empty words are dropped.
std::vector<std::string> wordsOf(std::string_view text) {
    std::vector<std::string> words;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        std::string word = normalized(text.substr(0, comma));
        if (!word.empty()) words.push_back(std::move(word));
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    }
    return words;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : ", ") + word;
    return text;
}

std::string problem(size_t lineNumber, std::string_view line) {
    return "cutting.txt, строка " + std::to_string(lineNumber) + ": «" + excerpt(line) +
           "» не прочитана, взято значение по умолчанию";
}

} // namespace

CuttingSettingsRead parseCuttingSettings(std::string_view text) {
    CuttingSettingsRead read;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    size_t lineNumber = 0;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, newline));
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;
        const size_t equals = line.find('=');
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? "" : trimmed(line.substr(equals + 1));
        CuttingSettings& s = read.settings;
        const auto length = [&](int32_t& field, int32_t max) {
            const auto tenths = tenthsOf(value, max);
            if (tenths) field = *tenths;
            return tenths.has_value();
        };
        const auto flag = [&](bool& field) {
            const auto on = flagOf(value);
            if (on) field = *on;
            return on.has_value();
        };
        bool understood = true;
        if (key == "kerf")
            understood = length(s.kerf, kMaxKerf);
        else if (key == "trim")
            understood = length(s.trim, kMaxTrim);
        else if (key == "price_by_plan")
            understood = flag(s.priceByPlan);
        else if (key == "sheet_kerf")
            understood = length(s.sheetKerf, kMaxKerf);
        else if (key == "sheet_trim")
            understood = length(s.sheetTrim, kMaxTrim);
        else if (key == "price_by_sheets")
            understood = flag(s.priceBySheets);
        else if (key == "grain_collections")
            s.grainCollections = wordsOf(value);
        else if (key == "grain_decors")
            s.grainDecors = wordsOf(value);
        else
            understood = false;
        if (!understood) read.problems.push_back(problem(lineNumber, line));
    }
    return read;
}

std::string cuttingSettingsText(const CuttingSettings& settings) {
    const auto millimetres = [](int32_t tenths) {
        std::string text = std::to_string(tenths / 10);
        if (tenths % 10 != 0) {
            text += '.';
            text += std::to_string(tenths % 10);
        }
        return text;
    };
    const auto yesNo = [](bool on) { return on ? "yes" : "no"; };
    return "# Раскрой профилей.\n"
           "# kerf: пропил пилы, мм; trim: торцовка в начале хлыста, мм;\n"
           "# price_by_plan: yes - хлысты в счёте по раскрою, no - по счёту.\n"
           "kerf = " +
           millimetres(settings.kerf) + "\ntrim = " + millimetres(settings.trim) +
           "\nprice_by_plan = " + yesNo(settings.priceByPlan) +
           "\n\n# Раскрой листов.\n"
           "# sheet_kerf: пропил форматной пилы, мм; sheet_trim: торцовка по краям листа, мм;\n"
           "# price_by_sheets: yes - материалы в счёте целыми листами по раскрою, no - по площади.\n"
           "# Текстура: панели материала с направлением рисунка не поворачиваются на листе. Она есть у\n"
           "# материалов коллекций, в названии которых есть слово из grain_collections, если в названии\n"
           "# материала есть слово из grain_decors (пусто - у всех); столбец \"текстура\" (да/нет) в\n"
           "# price.csv коллекции важнее.\n"
           "sheet_kerf = " +
           millimetres(settings.sheetKerf) + "\nsheet_trim = " + millimetres(settings.sheetTrim) +
           "\nprice_by_sheets = " + yesNo(settings.priceBySheets) +
           "\ngrain_collections = " + joined(settings.grainCollections) +
           "\ngrain_decors = " + joined(settings.grainDecors) + "\n";
}

CuttingSettingsRead loadCuttingSettings(const std::filesystem::path& configFolder) {
    const std::filesystem::path path = configFolder / "cutting.txt";
    std::string text;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        // Written once with the defaults, so the shop sees what it may set.
        if (std::filesystem::is_directory(configFolder, ec))
            writeFileAtomically(path, cuttingSettingsText(CuttingSettings{}));
        return {};
    }
    if (!readWholeFile(path, text, kConfigFileLimit)) {
        CuttingSettingsRead defaults;
        defaults.problems.push_back("cutting.txt не прочитан, взяты значения по умолчанию");
        return defaults;
    }
    return parseCuttingSettings(text);
}

void applyCuttingSettings(CalcResult& result, const CuttingSettings& settings) {
    if (settings.priceByPlan) priceByPlans(result, planArticles(result, settings.kerf, settings.trim));
    if (settings.priceBySheets) priceBySheets(result, planSheets(result, settings));
}

} // namespace dalvex
