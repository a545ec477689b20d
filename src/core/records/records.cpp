// Operations of the catalogue records: category words, prices by colour, roller set rules, material keys.
#include "records/records.h"

#include <algorithm>
#include <string_view>

namespace dalvex {

PriceCategory priceCategoryFromWord(const std::string& word) {
    struct Entry {
        std::string_view word;
        PriceCategory category;
    };
    static constexpr Entry kWords[] = {
        {"стандарт", kCategoryStandard}, {"премиум", kCategoryPremium}, {"анод", kCategoryAnod},
        {"базовый", kCategoryBasic},     {"новинка", kCategoryNew},     {"акция", kCategorySale},
        {"хром", kCategoryChrome},       {"глянец", kCategoryGloss},
    };
    for (const Entry& e : kWords)
        if (e.word == word) return e.category;
    return kCategoryNone;
}

int32_t Article::priceFor(const ProfileColor* color, int systemIndex) const {
    const int32_t standard = prices[kCategoryStandard];
    if (color == nullptr) return standard;
    // A system index outside the colour's table has no category of its own: the standard price applies.
    if (systemIndex < 0 || systemIndex >= static_cast<int>(color->categories.size())) return standard;
    const int32_t category = color->categories[static_cast<size_t>(systemIndex)];
    if (category < kCategoryPremium || category > kCategoryCount) return standard;
    // A category that has no price of its own falls back to the standard price.
    const int32_t price = prices[static_cast<size_t>(category)];
    return price > 0 ? price : standard;
}

bool HandleProfile::offers(const ProfileColor* color) const {
    return std::any_of(colorList.begin(), colorList.end(),
                       [color](const HandleColor& entry) { return entry.color == color; });
}

std::optional<bool> DividerProfile::fixedOrientation() const {
    if (flag == 1) return false;
    if (flag == 2) return true;
    return std::nullopt;
}

bool dividersVertical(const DividerProfile* profile, std::optional<bool> chosen) {
    const std::optional<bool> fixed = profile ? profile->fixedOrientation() : std::nullopt;
    return fixed.value_or(chosen.value_or(false));
}

int32_t RollerSet::quantity(int32_t doorCount) const {
    if (doorCount <= 0 || doorsPerSet == 0) return 0;
    if (perWardrobe == 0) {
        // doorsPerSet is at most 255, so the product is computed wide and clamped.
        const int64_t sets = static_cast<int64_t>(doorsPerSet) * doorCount;
        return static_cast<int32_t>(std::min<int64_t>(sets, INT32_MAX));
    }
    // One set serves doorsPerSet doors: round up.
    return doorCount / doorsPerSet + (doorCount % doorsPerSet != 0 ? 1 : 0);
}

bool RollerSet::fits(const HandleProfile* handleProfile) const {
    if (handleProfile == nullptr || symmetry == 0) return true;
    if (symmetry == 2) return handleProfile->asymmetric == 1;
    if (symmetry == 1) return handleProfile->asymmetric == 0;
    return false;
}

std::string Material::key() const {
    // Picture paths may come from either platform, so both separators split them; the key itself always uses
    // a backslash because sketch files store it.
    const auto isSeparator = [](char c) { return c == '/' || c == '\\'; };
    const std::string_view path = picturePath;
    size_t last = path.size();
    while (last > 0 && !isSeparator(path[last - 1]))
        --last;
    const std::string_view fileName = path.substr(last);
    if (!fromFolder || last == 0) return std::string(fileName);
    size_t folderStart = last - 1;
    while (folderStart > 0 && !isSeparator(path[folderStart - 1]))
        --folderStart;
    const std::string_view folder = path.substr(folderStart, last - 1 - folderStart);
    std::string result;
    result.reserve(folder.size() + 1 + fileName.size());
    result.append(folder).append(1, '\\').append(fileName);
    return result;
}

const Material* MaterialCollection::find(const std::string& wanted) const {
    for (const Material& m : materials)
        if (m.key() == wanted) return &m;
    return nullptr;
}

std::string Material::title() const {
    if (name.empty()) return key();
    std::string details = code;
    if (fromFolder) details += (details.empty() ? "" : ", ") + key();
    return details.empty() ? name : name + " (" + details + ")";
}

std::vector<std::string> MaterialCollection::picturePaths() const {
    std::vector<std::string> paths;
    paths.reserve(materials.size());
    for (const Material& m : materials)
        paths.push_back(m.picturePath);
    return paths;
}

HandleProfile* SystemRecord::findHandleProfile(std::string_view wanted) const {
    for (HandleProfile* p : handleProfileList)
        if (p->code == wanted) return p;
    return nullptr;
}

DividerProfile* SystemRecord::findDividerProfile(std::string_view wanted) const {
    for (DividerProfile* p : dividerProfiles)
        if (p->code == wanted) return p;
    return nullptr;
}

Article* SystemRecord::findArticle(std::string_view wanted) const {
    for (Article* a : articles)
        if (a->code == wanted) return a;
    return nullptr;
}

int SystemRecord::configuredRollerSetCount(const RollerSet* chosen) const {
    if (chosen == nullptr) return 0;
    return static_cast<int>(std::count_if(articles.begin(), articles.end(),
                                          [](const Article* a) { return a->kind == kKindRollerSet; }));
}

std::vector<RollerSet*> SystemRecord::rollerSets() const {
    std::vector<RollerSet*> sets;
    for (Article* a : articles) {
        if (a->kind != kKindRollerSet) continue;
        if (auto* set = dynamic_cast<RollerSet*>(a)) sets.push_back(set);
    }
    return sets;
}

bool SystemRecord::hasDividerProfile(const DividerProfile* p) const {
    return p != nullptr &&
           std::find(dividerProfiles.begin(), dividerProfiles.end(), p) != dividerProfiles.end();
}

} // namespace dalvex
