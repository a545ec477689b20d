#include "calc/cutting_settings.h"

#include "calc/cut_plan.h"
#include "io/atomic_file.h"
#include "io/whole_file.h"
#include "text/excerpt.h"

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
        bool understood = false;
        if (key == "kerf") {
            const auto tenths = tenthsOf(value, kMaxKerf);
            if (tenths) read.settings.kerf = *tenths;
            understood = tenths.has_value();
        } else if (key == "trim") {
            const auto tenths = tenthsOf(value, kMaxTrim);
            if (tenths) read.settings.trim = *tenths;
            understood = tenths.has_value();
        } else if (key == "price_by_plan") {
            const auto flag = flagOf(value);
            if (flag) read.settings.priceByPlan = *flag;
            understood = flag.has_value();
        }
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
    return "# Раскрой профилей.\n"
           "# kerf: пропил пилы, мм; trim: торцовка в начале хлыста, мм;\n"
           "# price_by_plan: yes - хлысты в счёте по раскрою, no - по счёту.\n"
           "kerf = " +
           millimetres(settings.kerf) + "\ntrim = " + millimetres(settings.trim) +
           "\nprice_by_plan = " + (settings.priceByPlan ? "yes" : "no") + "\n";
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
    if (!settings.priceByPlan) return;
    priceByPlans(result, planArticles(result, settings.kerf, settings.trim));
}

} // namespace dalvex
