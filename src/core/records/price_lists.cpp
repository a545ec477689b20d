#include "records/price_lists.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "records/csv.h"
#include "records/record_store.h"
#include "text/numbers.h"
#include "text/text_case.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace dalvex {
namespace {

// Roubles to kopecks in single precision, as the price lists have always been read: 123,45 gives 12345. A
// price too large for 32-bit kopecks is kept as kPriceOutOfRange.
int32_t roublesToKopecks(double roubles) {
    // Beyond any int32 amount of kopecks, yet inside the float range, so the narrowing below is defined.
    const double bounded = std::clamp(roubles, -1.0e12, 1.0e12);
    const float kopecks = static_cast<float>(bounded) * 100.0f;
    if (static_cast<double>(kopecks) >= static_cast<double>(kPriceOutOfRange)) return kPriceOutOfRange;
    return truncToInt(static_cast<double>(kopecks));
}

// The count field of a roller set: a leading "0" means one set serves that many doors.
void applyRollerCount(RollerSet& set, std::string_view count) {
    set.perWardrobe = !count.empty() && count.front() == '0' ? 1 : 0;
    set.doorsPerSet = static_cast<uint8_t>(static_cast<uint32_t>(readInt(count)) & 0xFFu);
}

int32_t symmetryFromWord(std::string_view word) {
    if (word == "симметричный") return 1;
    if (word == "асимметричный") return 2;
    return 0;
}

// The systems by their lower-cased display names, the form a section line names them in.
std::vector<std::pair<std::string, SystemRecord*>> sectionNames(const RecordStore& catalogue) {
    std::vector<std::pair<std::string, SystemRecord*>> names;
    for (SystemRecord* system : catalogue.systemRecords())
        names.emplace_back(toLower(system->code), system);
    return names;
}

SystemRecord* systemNamedBy(const std::vector<std::pair<std::string, SystemRecord*>>& sections,
                            std::string_view normalizedName) {
    if (normalizedName.empty()) return nullptr;
    for (const auto& [name, system] : sections)
        if (name == normalizedName) return system;
    return nullptr;
}

} // namespace

PriceListRead readColorCategories(RecordStore& catalogue, const std::filesystem::path& file) {
    CsvFile csv;
    if (const CsvResult read = readCsv(file, csv, kPriceListLimit); read != kCsvRead) return {read};

    const int colorColumn = csv.column("цвет");
    if (colorColumn < 0) return {3};
    struct Binding {
        std::size_t systemIndex;
        int column;
    };
    std::vector<Binding> bindings;
    const std::vector<SystemRecord*>& systems = catalogue.systemRecords();
    for (std::size_t s = 0; s < systems.size(); ++s) {
        const int column = csv.column(toLower(systems[s]->code));
        if (column >= 0) bindings.push_back({s, column});
    }
    if (bindings.empty()) return {4};

    PriceListRead read;

    for (std::size_t i = 1; i < csv.lineCount(); ++i) {
        const std::string_view line = csv.line(i);
        const std::string name = normalized(CsvFile::field(line, colorColumn));
        if (name.empty()) continue;
        ProfileColor* color = catalogue.findColor(name);
        if (color == nullptr) continue;
        bool used = false;
        for (const Binding& binding : bindings) {
            const PriceCategory category =
                priceCategoryFromWord(normalized(CsvFile::field(line, binding.column)));
            // A colour carries one category per built-in system; a longer system list has no entry to set.
            if (category != kCategoryNone && binding.systemIndex < color->categories.size()) {
                color->categories[binding.systemIndex] = category;
                used = true;
            }
        }
        if (used) ++read.usedLines;
    }
    return read;
}

PriceListRead readRollerSets(RecordStore& catalogue, const std::filesystem::path& file) {
    CsvFile csv;
    if (const CsvResult read = readCsv(file, csv, kPriceListLimit); read != kCsvRead) return {read};

    const std::vector<std::pair<std::string, SystemRecord*>> sections = sectionNames(catalogue);
    SystemRecord* current = nullptr;
    // What each system lists already, so that a long section does not search the system's growing list once
    // per line.
    std::map<const SystemRecord*, std::unordered_set<const Article*>> listed;
    PriceListRead read;
    for (std::size_t i = 1; i < csv.lineCount(); ++i) {
        const std::string_view line = csv.line(i);
        if (SystemRecord* system = systemNamedBy(sections, normalized(CsvFile::field(line, 0)))) {
            current = system;
            if (listed.count(system) == 0)
                listed[system].insert(system->articles.begin(), system->articles.end());
            continue;
        }
        const std::string count = normalized(CsvFile::field(line, 3));
        if (current == nullptr || count.empty()) continue;
        // A set without a code could never be found or priced again.
        const std::string code(trim(CsvFile::field(line, 0)));
        if (code.empty()) continue;

        Article* article = catalogue.findArticle(code);
        if (article == nullptr) {
            auto set = std::make_unique<RollerSet>();
            const std::vector<Article*>& articles = catalogue.articles();
            set->index = articles.empty() ? 0 : articles.back()->index + 1;
            set->code = code;
            set->name = std::string(trim(CsvFile::field(line, 1)));
            set->symmetry = symmetryFromWord(normalized(CsvFile::field(line, 2)));
            applyRollerCount(*set, count);
            article = catalogue.addRollerSet(std::move(set));
            if (article == nullptr) continue;
        }
        ++read.usedLines;
        if (listed[current].insert(article).second) {
            current->addArticle(article);
            // An existing article of another kind may be listed, but only a roller set can be the system's
            // set.
            if (current->defaultRollerSet == nullptr)
                current->defaultRollerSet = dynamic_cast<RollerSet*>(article);
        }
    }
    return read;
}

PriceListRead readProfilePrices(RecordStore& catalogue, const std::filesystem::path& file) {
    CsvFile csv;
    if (const CsvResult read = readCsv(file, csv, kPriceListLimit); read != kCsvRead) return {read};

    const int codeColumn = csv.column("код");
    const int categoryColumn = csv.column("коллекция");
    const int priceColumn = csv.column("цена");
    if (codeColumn < 0 || categoryColumn < 0 || priceColumn < 0) return {3};

    PriceListRead read;

    for (std::size_t i = 1; i < csv.lineCount(); ++i) {
        const std::string_view line = csv.line(i);
        const double price = readNumber(normalized(CsvFile::field(line, priceColumn)));
        if (!(price > 0.0)) continue;
        const std::string word = normalized(CsvFile::field(line, categoryColumn));
        const PriceCategory category = word.empty() ? kCategoryStandard : priceCategoryFromWord(word);
        if (category <= kCategoryNone || category > kCategoryCount) continue;

        const std::string code = normalized(CsvFile::field(line, codeColumn));
        Article* article = catalogue.findHandleProfile(code);
        if (article == nullptr) article = catalogue.findDividerProfile(code);
        if (article == nullptr) article = catalogue.findArticle(code);
        if (article == nullptr) continue;
        article->prices[static_cast<std::size_t>(category)] = roublesToKopecks(price);
        ++read.usedLines;
    }
    return read;
}

std::string priceListWarning(const std::filesystem::path& file, const PriceListRead& read) {
    const std::string name = pathToUtf8(file);
    switch (read.result) {
    case kCsvRead:
        return read.usedLines > 0 ? std::string() : "В прайс-листе нет ни одной годной строки: " + name;
    case kCsvCannotOpen:
        return "Прайс-лист не прочитан: " + name;
    case kCsvEmpty:
        return "Прайс-лист пуст: " + name;
    default:
        return "В прайс-листе нет нужных столбцов: " + name;
    }
}

} // namespace dalvex
