#pragma once
// The product knowledge: the nine profile systems, the handle profiles, divider profiles, articles and
// colours built into the program, the prices and extra roller sets read from profiles/, and the material
// library read from materials/. Built once from a program folder and kept for the whole run: every pointer
// into it stays valid.
#include "calc/ds_system.h"
#include "catalogue/records.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {

class Catalogue {
public:
    // Builds everything, in this order: systems, handle profiles, colours (with the colour price list),
    // colour lists, divider profiles, articles, roller price list and built-in roller sets, profile price
    // list, and finally the material library. Missing or damaged data files leave the built-in values.
    explicit Catalogue(std::filesystem::path programFolder);
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;
    ~Catalogue();

    const std::filesystem::path& programFolder() const { return programFolder_; }
    std::filesystem::path profilesFolder() const { return programFolder_ / "profiles"; }
    std::filesystem::path materialsFolder() const { return programFolder_ / "materials"; }
    std::filesystem::path configFolder() const { return programFolder_ / "config"; }

    const std::vector<DSSystem*>& systems() const { return systemList_; }
    const std::vector<HandleProfile*>& handleProfiles() const { return handleList_; }
    const std::vector<ProfileColor*>& colors() const { return colorList_; }
    const std::vector<DividerProfile*>& dividerProfiles() const { return dividerList_; }
    const std::vector<Article*>& articles() const { return articleList_; }
    const std::vector<MaterialCollection>& collections() const { return collections_; }

    // Exact, case-sensitive comparison with the display names.
    DSSystem* findSystem(std::string_view displayName) const;
    // Case-insensitive (Cyrillic included); null for unknown or empty codes.
    HandleProfile* findHandleProfile(std::string_view code) const;
    ProfileColor* findColor(std::string_view name) const;
    DividerProfile* findDividerProfile(std::string_view code) const;
    Article* findArticle(std::string_view code) const; // articles only (roller sets included)
    // Exact name comparison.
    const MaterialCollection* findCollection(std::string_view name) const;
    std::vector<std::string> collectionNames() const;

    // Used while building: the price list readers add roller sets and the material scan adds collections.
    RollerSet* addRollerSet(std::unique_ptr<RollerSet> set);
    void setCollections(std::vector<MaterialCollection> collections) {
        collections_ = std::move(collections);
    }

private:
    void createSystems();
    void createHandleProfiles();
    void createColors();
    void fillHandleColors();
    void createDividerProfiles();
    void createArticles();
    void addBuiltInRollerSets();

    std::filesystem::path programFolder_;
    std::vector<std::unique_ptr<DSSystem>> systemStore_;
    std::vector<std::unique_ptr<HandleProfile>> handleStore_;
    std::vector<std::unique_ptr<ProfileColor>> colorStore_;
    std::vector<std::unique_ptr<DividerProfile>> dividerStore_;
    std::vector<std::unique_ptr<Article>> articleStore_;
    std::vector<DSSystem*> systemList_;
    std::vector<HandleProfile*> handleList_;
    std::vector<ProfileColor*> colorList_;
    std::vector<DividerProfile*> dividerList_;
    std::vector<Article*> articleList_;
    std::vector<MaterialCollection> collections_;
};

} // namespace dalvex
