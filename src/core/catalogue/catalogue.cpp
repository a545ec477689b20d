// Building the Catalogue from the built-in tables and the data folders, and the lookups into it.
#include "catalogue/catalogue.h"

#include "calc/systems.h"
#include "catalogue/builtin_tables.h"
#include "catalogue/material_library.h"
#include "catalogue/price_lists.h"
#include "text/text_case.h"

#include <utility>

namespace dalvex {

namespace {

// First record of the list whose code matches, ignoring letter case; null for an empty code.
template <class T> T* findByCode(const std::vector<T*>& list, std::string_view code) {
    if (code.empty()) return nullptr;
    for (T* item : list)
        if (equalsIgnoreCase(item->code, code)) return item;
    return nullptr;
}

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

} // namespace

// The order of these steps matters: later steps look records up by code, and the price lists may only change
// records that already exist.
Catalogue::Catalogue(std::filesystem::path programFolder) : programFolder_(std::move(programFolder)) {
    createSystems();
    createHandleProfiles();
    createColors();
    readColorCategories(*this, profilesFolder() / "colors_price.csv");
    fillHandleColors();
    createDividerProfiles();
    createArticles();

    for (DSSystem* system : systemList_)
        if (auto* gerlit = dynamic_cast<DSSystemGerlit*>(system)) {
            gerlit->runningProfile = findArticle("JG01");
            gerlit->guideProfile = findArticle("JG04");
        }

    readRollerSets(*this, profilesFolder() / "rollers.csv");
    addBuiltInRollerSets();
    for (DSSystem* system : systemList_)
        if (auto* borvik = dynamic_cast<DSSystemBorvik*>(system))
            borvik->pivotMechanism = findArticle("JB16");

    readProfilePrices(*this, profilesFolder() / "price.csv");
    setCollections(scanCollections(materialsFolder()));
}

Catalogue::~Catalogue() = default;

void Catalogue::createSystems() {
    int32_t index = 0;
    for (const builtin::SystemRow& row : builtin::systemRows()) {
        std::unique_ptr<DSSystem> system = createSystem(index++, row.displayName, row.imageId);
        if (!system) continue;
        system->catalogue = this;
        systemList_.push_back(system.get());
        systemStore_.push_back(std::move(system));
    }
}

void Catalogue::createHandleProfiles() {
    int32_t index = 0;
    for (const builtin::HandleProfileRow& row : builtin::handleProfileRows()) {
        auto profile = std::make_unique<HandleProfile>();
        fillArticle(*profile, index++, row);
        profile->imageId = row.imageId;
        profile->barLength2 = row.barLength2;
        profile->asymmetric = row.asymmetric;
        handleList_.push_back(profile.get());
        handleStore_.push_back(std::move(profile));
    }
    // The systems list their handle profiles in their own order, not in the catalogue's.
    for (DSSystem* system : systemList_) {
        const builtin::SystemRow& row = builtin::systemRows()[static_cast<size_t>(system->index)];
        for (std::string_view code : row.handleProfiles)
            if (HandleProfile* p = findHandleProfile(code)) system->addHandleProfile(p);
    }
}

void Catalogue::createColors() {
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
        colorStore_.push_back(std::move(color));
    }
}

void Catalogue::fillHandleColors() {
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

void Catalogue::createDividerProfiles() {
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
        dividerStore_.push_back(std::move(profile));
    }
    for (DSSystem* system : systemList_) {
        const builtin::SystemRow& row = builtin::systemRows()[static_cast<size_t>(system->index)];
        for (std::string_view code : row.dividerProfiles)
            if (DividerProfile* p = findDividerProfile(code)) system->addDividerProfile(p);
    }
}

void Catalogue::createArticles() {
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
        articleStore_.push_back(std::move(article));
    }
    for (DSSystem* system : systemList_) {
        const builtin::SystemRow& row = builtin::systemRows()[static_cast<size_t>(system->index)];
        for (std::string_view code : row.articles)
            if (Article* a = findArticle(code)) system->addArticle(a);
    }
}

// A system whose roller set the roller price list configured keeps only the sets the list gave it.
void Catalogue::addBuiltInRollerSets() {
    for (DSSystem* system : systemList_) {
        if (system->configuredRollerSetCount() != 0) continue;
        const builtin::SystemRow& row = builtin::systemRows()[static_cast<size_t>(system->index)];
        for (std::string_view code : row.rollerSets)
            if (Article* a = findArticle(code)) system->addArticle(a);
    }
}

DSSystem* Catalogue::findSystem(std::string_view displayName) const {
    for (DSSystem* system : systemList_)
        if (system->code == displayName) return system;
    return nullptr;
}

HandleProfile* Catalogue::findHandleProfile(std::string_view code) const {
    return findByCode(handleList_, code);
}

ProfileColor* Catalogue::findColor(std::string_view name) const {
    return findByCode(colorList_, name);
}

DividerProfile* Catalogue::findDividerProfile(std::string_view code) const {
    return findByCode(dividerList_, code);
}

Article* Catalogue::findArticle(std::string_view code) const {
    return findByCode(articleList_, code);
}

const MaterialCollection* Catalogue::findCollection(std::string_view name) const {
    for (const MaterialCollection& c : collections_)
        if (c.name == name) return &c;
    return nullptr;
}

std::vector<std::string> Catalogue::collectionNames() const {
    std::vector<std::string> names;
    names.reserve(collections_.size());
    for (const MaterialCollection& c : collections_)
        names.push_back(c.name);
    return names;
}

RollerSet* Catalogue::addRollerSet(std::unique_ptr<RollerSet> set) {
    if (!set) return nullptr;
    set->index = articleList_.empty() ? 0 : articleList_.back()->index + 1;
    set->kind = kKindRollerSet;
    RollerSet* added = set.get();
    articleList_.push_back(added);
    articleStore_.push_back(std::move(set));
    return added;
}

} // namespace dalvex
