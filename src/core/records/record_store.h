#pragma once
// The records of the product knowledge: the handle profiles, colours, divider profiles and articles built
// into the program, the prices and extra roller sets read from profiles/, and the material library read from
// materials/. Built once and kept for the whole run: every pointer into it stays valid.
#include "records/article_lookup.h"
#include "records/code_index.h"
#include "records/records.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {

class RecordStore : public ArticleLookup {
public:
    RecordStore() = default;
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;
    virtual ~RecordStore();

    // Builds everything, in this order: handle profiles, colours (with the colour price list), colour lists,
    // divider profiles, articles, roller price list and built-in roller sets, profile price list, and finally
    // the material library. `systems` get their lists from the built-in system table row of their index.
    // Missing or damaged data files leave the built-in values; the price lists that could not be read or gave
    // nothing are named in priceListWarnings().
    void build(std::vector<SystemRecord*> systems, const std::filesystem::path& profilesFolder,
               const std::filesystem::path& materialsFolder);

    const std::vector<SystemRecord*>& systemRecords() const { return systemRecords_; }
    const std::vector<HandleProfile*>& handleProfiles() const override { return handleList_; }
    const std::vector<ProfileColor*>& colors() const { return colorList_; }
    const std::vector<DividerProfile*>& dividerProfiles() const { return dividerList_; }
    const std::vector<Article*>& articles() const { return articleList_; }
    const std::vector<MaterialCollection>& collections() const { return collections_; }
    // One text per price list of profiles/ that could not be read or had no usable line, naming the file.
    const std::vector<std::string>& priceListWarnings() const { return priceListWarnings_; }

    // Case-insensitive (Cyrillic included); null for unknown or empty codes.
    HandleProfile* findHandleProfile(std::string_view code) const;
    ProfileColor* findColor(std::string_view name) const;
    DividerProfile* findDividerProfile(std::string_view code) const override;
    Article* findArticle(std::string_view code) const override;
    // Exact name comparison.
    const MaterialCollection* findCollection(std::string_view name) const;
    std::vector<std::string> collectionNames() const;
    // Whether `material` is one of this library's own (null and another catalogue's are not).
    bool holds(const Material* material) const;

    // Used while building: the price list readers add roller sets and the material scan adds collections.
    RollerSet* addRollerSet(std::unique_ptr<RollerSet> set);
    void setCollections(std::vector<MaterialCollection> collections) {
        collections_ = std::move(collections);
    }

private:
    void createHandleProfiles();
    void createColors();
    void fillHandleColors();
    void createDividerProfiles();
    void createArticles();
    void addBuiltInRollerSets();

    std::vector<SystemRecord*> systemRecords_;
    std::vector<std::unique_ptr<HandleProfile>> handleStore_;
    std::vector<std::unique_ptr<ProfileColor>> colorStore_;
    std::vector<std::unique_ptr<DividerProfile>> dividerStore_;
    std::vector<std::unique_ptr<Article>> articleStore_;
    std::vector<HandleProfile*> handleList_;
    std::vector<ProfileColor*> colorList_;
    std::vector<DividerProfile*> dividerList_;
    std::vector<Article*> articleList_;
    CodeIndex<HandleProfile> handleIndex_;
    CodeIndex<ProfileColor> colorIndex_;
    CodeIndex<DividerProfile> dividerIndex_;
    CodeIndex<Article> articleIndex_;
    std::vector<MaterialCollection> collections_;
    std::vector<std::string> priceListWarnings_;
};

} // namespace dalvex
