// Building the records from the built-in tables and the data folders, and the lookups into them.
#include "records/record_store.h"

#include "records/builtin_tables.h"
#include "records/material_library.h"
#include "records/price_lists.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace dalvex {

namespace {

// Fields every article row shares with the record.
template <class Row> void fillArticle(Article& a, int32_t index, const Row& row) {
    a.index = index;
    a.code = std::string(row.code);
    a.name = std::string(row.name);
    a.faceWidth = row.faceWidth;
    a.joinDeduction = row.joinDeduction;
    a.fillingInset = row.fillingInset;
    a.barLength1 = row.barLength1;
}

// The built-in row a system takes its lists from: the row of its index.
const builtin::SystemRow* systemRow(const SystemRecord& system) {
    const std::vector<builtin::SystemRow>& rows = builtin::systemRows();
    if (system.index < 0 || static_cast<size_t>(system.index) >= rows.size()) return nullptr;
    return &rows[static_cast<size_t>(system.index)];
}

} // namespace

RecordStore::~RecordStore() = default;

// The order of these steps matters: later steps look records up by code, and the price lists may only change
// records that already exist.
void RecordStore::build(std::vector<SystemRecord*> systems, const std::filesystem::path& profilesFolder,
                        const std::filesystem::path& materialsFolder) {
    systemRecords_ = std::move(systems);
    const auto read = [this, &profilesFolder](auto reader, const char* name) {
        const std::filesystem::path file = profilesFolder / name;
        const std::string warning = priceListWarning(file, reader(*this, file));
        if (!warning.empty()) priceListWarnings_.push_back(warning);
    };
    createHandleProfiles();
    createColors();
    read(readColorCategories, "colors_price.csv");
    fillHandleColors();
    createDividerProfiles();
    createArticles();
    read(readRollerSets, "rollers.csv");
    addBuiltInRollerSets();
    read(readProfilePrices, "price.csv");
    setCollections(scanCollections(materialsFolder));
}

void RecordStore::createHandleProfiles() {
    int32_t index = 0;
    for (const builtin::HandleProfileRow& row : builtin::handleProfileRows()) {
        auto profile = std::make_unique<HandleProfile>();
        fillArticle(*profile, index++, row);
        profile->imageId = row.imageId;
        profile->barLength2 = row.barLength2;
        profile->asymmetric = row.asymmetric;
        handleList_.push_back(profile.get());
        handleIndex_.add(profile.get());
        handleStore_.push_back(std::move(profile));
    }
    // The systems list their handle profiles in their own order, not in the catalogue's.
    for (SystemRecord* system : systemRecords_) {
        const builtin::SystemRow* row = systemRow(*system);
        if (row == nullptr) continue;
        for (std::string_view code : row->handleProfiles)
            if (HandleProfile* p = findHandleProfile(code)) system->addHandleProfile(p);
    }
}

void RecordStore::createColors() {
    int32_t index = 0;
    for (const builtin::ColorRow& row : builtin::colorRows()) {
        auto color = std::make_unique<ProfileColor>();
        color->index = index++;
        color->code = std::string(row.name);
        color->imageId = row.imageId;
        color->red = row.red;
        color->green = row.green;
        color->blue = row.blue;
        color->categories.fill(kCategoryStandard);
        colorList_.push_back(color.get());
        colorIndex_.add(color.get());
        colorStore_.push_back(std::move(color));
    }
}

void RecordStore::fillHandleColors() {
    const auto colorAt = [this](int i) -> const ProfileColor* {
        return i >= 0 && static_cast<size_t>(i) < colorList_.size() ? colorList_[static_cast<size_t>(i)]
                                                                    : nullptr;
    };
    for (const builtin::HandleColorsRow& row : builtin::handleColorsRows()) {
        HandleProfile* profile = findHandleProfile(row.handleProfile);
        if (profile == nullptr) continue;
        for (int i : row.inStock)
            if (const ProfileColor* c = colorAt(i)) profile->colorList.push_back({c, false});
        for (int i : row.madeToOrder)
            if (const ProfileColor* c = colorAt(i)) profile->colorList.push_back({c, true});
    }
}

void RecordStore::createDividerProfiles() {
    int32_t index = 0;
    for (const builtin::DividerProfileRow& row : builtin::dividerProfileRows()) {
        auto profile = std::make_unique<DividerProfile>();
        fillArticle(*profile, index++, row);
        profile->imageId = row.imageId;
        profile->barLength2 = row.barLength2;
        profile->crossDeduction = row.crossDeduction;
        profile->crossDeduction2 = row.crossDeduction2;
        profile->dividerKind = row.dividerKind;
        profile->flag = row.flag;
        dividerList_.push_back(profile.get());
        dividerIndex_.add(profile.get());
        dividerStore_.push_back(std::move(profile));
    }
    for (SystemRecord* system : systemRecords_) {
        const builtin::SystemRow* row = systemRow(*system);
        if (row == nullptr) continue;
        for (std::string_view code : row->dividerProfiles)
            if (DividerProfile* p = findDividerProfile(code)) system->addDividerProfile(p);
    }
}

void RecordStore::createArticles() {
    int32_t index = 0;
    for (const builtin::ArticleRow& row : builtin::articleRows()) {
        std::unique_ptr<Article> article;
        if (row.kind == kKindRollerSet) {
            auto set = std::make_unique<RollerSet>();
            set->symmetry = row.symmetry;
            set->perWardrobe = static_cast<uint8_t>(row.perWardrobe);
            set->doorsPerSet = static_cast<uint8_t>(row.doorsPerSet);
            article = std::move(set);
        } else {
            article = std::make_unique<Article>();
            article->kind = row.kind;
        }
        fillArticle(*article, index++, row);
        articleList_.push_back(article.get());
        articleIndex_.add(article.get());
        articleStore_.push_back(std::move(article));
    }
    for (SystemRecord* system : systemRecords_) {
        const builtin::SystemRow* row = systemRow(*system);
        if (row == nullptr) continue;
        for (std::string_view code : row->articles)
            if (Article* a = findArticle(code)) system->addArticle(a);
    }
}

// A system whose roller set the roller price list configured keeps only the sets the list gave it.
void RecordStore::addBuiltInRollerSets() {
    for (SystemRecord* system : systemRecords_) {
        if (system->configuredRollerSetCount(system->defaultRollerSet) != 0) continue;
        const builtin::SystemRow* row = systemRow(*system);
        if (row == nullptr) continue;
        for (std::string_view code : row->rollerSets)
            if (Article* a = findArticle(code)) system->addArticle(a);
    }
}

HandleProfile* RecordStore::findHandleProfile(std::string_view code) const {
    return handleIndex_.find(code);
}

ProfileColor* RecordStore::findColor(std::string_view name) const {
    return colorIndex_.find(name);
}

DividerProfile* RecordStore::findDividerProfile(std::string_view code) const {
    return dividerIndex_.find(code);
}

Article* RecordStore::findArticle(std::string_view code) const {
    return articleIndex_.find(code);
}

const MaterialCollection* RecordStore::findCollection(std::string_view name) const {
    for (const MaterialCollection& c : collections_)
        if (c.name == name) return &c;
    return nullptr;
}

bool RecordStore::holds(const Material* material) const {
    if (material == nullptr) return false;
    // std::less orders any two pointers, also those of different collections.
    const std::less<const Material*> before;
    return std::any_of(collections_.begin(), collections_.end(), [&](const MaterialCollection& c) {
        const Material* first = c.materials.data();
        return !before(material, first) && before(material, first + c.materials.size());
    });
}

std::vector<std::string> RecordStore::collectionNames() const {
    std::vector<std::string> names;
    names.reserve(collections_.size());
    for (const MaterialCollection& c : collections_)
        names.push_back(c.name);
    return names;
}

RollerSet* RecordStore::addRollerSet(std::unique_ptr<RollerSet> set) {
    if (!set) return nullptr;
    set->index = articleList_.empty() ? 0 : articleList_.back()->index + 1;
    set->kind = kKindRollerSet;
    RollerSet* added = set.get();
    articleList_.push_back(added);
    articleIndex_.add(added);
    articleStore_.push_back(std::move(set));
    return added;
}

} // namespace dalvex
