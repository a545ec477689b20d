// Lookups, the references the calculators get, defaults without price lists and roller sets added later.
#include "calc/systems.h"
#include "catalogue/catalogue.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace dalvex {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// An empty program folder that is removed when the test ends.

class CatalogueLookup : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        TempFolder folder;
        catalogue_ = new Catalogue(folder.path());
    }
    static void TearDownTestSuite() {
        delete catalogue_;
        catalogue_ = nullptr;
    }
    static Catalogue* catalogue_;
};
Catalogue* CatalogueLookup::catalogue_ = nullptr;

TEST_F(CatalogueLookup, SystemsByExactDisplayName) {
    const Catalogue& c = *catalogue_;
    ASSERT_NE(c.findSystem("Борвик"), nullptr);
    EXPECT_EQ(c.findSystem("Борвик")->index, 0);
    EXPECT_EQ(c.findSystem("Нордел"), c.systems()[8]);
    EXPECT_EQ(c.findSystem("Сенфил-Н"), c.systems()[3]);
    for (const char* missing : {"борвик", "БОРВИК", "Борвик ", "Венлор", "", "Сенфил"})
        EXPECT_EQ(c.findSystem(missing), nullptr) << missing;
}

TEST_F(CatalogueLookup, CodesIgnoreLetterCase) {
    const Catalogue& c = *catalogue_;
    EXPECT_EQ(c.findHandleProfile("jb01"), c.handleProfiles()[0]);
    EXPECT_EQ(c.findHandleProfile("Jb300n"), c.handleProfiles()[3]);
    EXPECT_EQ(c.findDividerProfile("jn09"), c.dividerProfiles()[8]);
    EXPECT_EQ(c.findArticle("jg12/jg13"), c.articles()[48]);
    EXPECT_EQ(c.findArticle("fd-shl-1"), c.articles()[61]);
    EXPECT_EQ(c.findColor("ХРОМ МАТОВЫЙ"), c.colors()[0]);
    EXPECT_EQ(c.findColor("хром матовый (АНОД)"), c.colors()[36]);
    EXPECT_EQ(c.findColor("ВЕНГЕ ТЕМНЫЙ"), c.colors()[34]);
}

TEST_F(CatalogueLookup, UnknownEmptyOrPartialNamesFindNothing) {
    const Catalogue& c = *catalogue_;
    for (const char* code : {"", "JB0", "JB01 ", "JB999", "Хром"}) {
        EXPECT_EQ(c.findHandleProfile(code), nullptr) << code;
        EXPECT_EQ(c.findDividerProfile(code), nullptr) << code;
        EXPECT_EQ(c.findArticle(code), nullptr) << code;
        EXPECT_EQ(c.findColor(code), nullptr) << code;
    }
    EXPECT_EQ(c.findCollection(""), nullptr);
    EXPECT_EQ(c.findCollection("Зеркала"), nullptr);
    EXPECT_TRUE(c.collectionNames().empty());
}

TEST_F(CatalogueLookup, EachKindIsFoundOnlyInItsOwnList) {
    const Catalogue& c = *catalogue_;
    EXPECT_EQ(c.findArticle("JB01"), nullptr);
    EXPECT_EQ(c.findArticle("DX08"), nullptr);
    EXPECT_EQ(c.findHandleProfile("JB02"), nullptr);
    EXPECT_EQ(c.findDividerProfile("JB01"), nullptr);
    // Profiles in no system's list are still found by code.
    for (const char* code : {"JL301", "JW03", "JB220", "JB150"})
        EXPECT_NE(c.findHandleProfile(code), nullptr);
    for (const char* code : {"DX09", "JW05"})
        EXPECT_NE(c.findDividerProfile(code), nullptr);
    EXPECT_NE(dynamic_cast<const RollerSet*>(c.findArticle("jb16")), nullptr);
}

TEST_F(CatalogueLookup, CalculatorsGetTheirFixedArticles) {
    const Catalogue& c = *catalogue_;
    const auto* borvik = dynamic_cast<const DSSystemBorvik*>(c.findSystem("Борвик"));
    ASSERT_NE(borvik, nullptr);
    EXPECT_EQ(borvik->pivotMechanism, c.findArticle("JB16"));
    ASSERT_NE(borvik->pivotMechanism, nullptr);
    const auto* gerlit = dynamic_cast<const DSSystemGerlit*>(c.findSystem("Герлит"));
    ASSERT_NE(gerlit, nullptr);
    // A new order starts Герлит on JG01 and JG04.
    const SystemOptions gerlitOptions = c.defaultOptions().of(kSystemGerlit);
    EXPECT_EQ(gerlitOptions.runningProfile, c.findArticle("JG01"));
    EXPECT_EQ(gerlitOptions.guideProfile, c.findArticle("JG04"));
    ASSERT_NE(gerlitOptions.runningProfile, nullptr);
    ASSERT_NE(gerlitOptions.guideProfile, nullptr);
    EXPECT_EQ(gerlit->handleProfileList.size(), 0u);
    EXPECT_EQ(gerlit->dividerProfiles.size(), 0u);
}

TEST_F(CatalogueLookup, BuiltInRollerSetsFollowTheArticlesWhenNoListConfiguredOne) {
    const Catalogue& c = *catalogue_;
    const std::vector<std::vector<std::string>> expected = {
        {"JB10/11B", "JB010/011B", "JB16"},
        {"Y1406"},
        {"JB10/11B"},
        {"JS04/05", "JLS"},
        {"DX12", "DX12-1"},
        {"FD03"},
        {"JG05"},
        {"JZB01"},
        {"JNB01"},
    };
    for (size_t i = 0; i < c.systems().size(); ++i) {
        const DSSystem& s = *c.systems()[i];
        std::vector<std::string> sets;
        for (const RollerSet* set : s.rollerSets())
            sets.push_back(set->code);
        EXPECT_EQ(sets, expected[i]) << s.code;
        // The sets close the list.
        const size_t n = expected[i].size();
        for (size_t k = 0; k < n; ++k)
            EXPECT_EQ(s.articles[s.articles.size() - n + k]->code, expected[i][k]);
        EXPECT_EQ(s.configuredRollerSetCount(s.defaultRollerSet), 0) << s.code;
    }
}

TEST_F(CatalogueLookup, WithoutPriceListsEveryPriceIsZeroAndEveryCategoryOne) {
    const Catalogue& c = *catalogue_;
    for (const ProfileColor* color : c.colors())
        for (int32_t category : color->categories)
            EXPECT_EQ(category, kCategoryStandard) << color->code;
    std::vector<const Article*> all(c.articles().begin(), c.articles().end());
    all.insert(all.end(), c.handleProfiles().begin(), c.handleProfiles().end());
    all.insert(all.end(), c.dividerProfiles().begin(), c.dividerProfiles().end());
    for (const Article* a : all) {
        for (int32_t price : a->prices)
            EXPECT_EQ(price, 0) << a->code;
        for (int system = 0; system < 9; ++system) {
            EXPECT_EQ(a->priceFor(nullptr, system), 0);
            for (const ProfileColor* color : c.colors())
                EXPECT_EQ(a->priceFor(color, system), 0);
        }
    }
}

TEST(CatalogueBuild, AMissingProgramFolderGivesTheBuiltInCatalogue) {
    const fs::path missing = fs::temp_directory_path() / "dalvex_catalogue_missing" / "nowhere";
    ASSERT_FALSE(fs::exists(missing));
    Catalogue c(missing);
    EXPECT_EQ(c.programFolder(), missing);
    EXPECT_EQ(c.profilesFolder(), missing / "profiles");
    EXPECT_EQ(c.systems().size(), 9u);
    EXPECT_EQ(c.articles().size(), 79u);
    EXPECT_TRUE(c.collections().empty());
}

TEST(CatalogueBuild, AddedRollerSetsContinueTheArticleIndexes) {
    TempFolder folder;
    Catalogue c(folder.path());
    auto set = std::make_unique<RollerSet>();
    set->code = "RS-NEW";
    set->doorsPerSet = 1;
    RollerSet* added = c.addRollerSet(std::move(set));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->index, 79);
    EXPECT_EQ(added->kind, kKindRollerSet);
    EXPECT_EQ(c.articles().size(), 80u);
    EXPECT_EQ(c.articles().back(), added);
    EXPECT_EQ(c.findArticle("rs-new"), added);

    auto second = std::make_unique<RollerSet>();
    second->code = "RS-NEW";
    RollerSet* again = c.addRollerSet(std::move(second));
    EXPECT_EQ(again->index, 80);
    EXPECT_EQ(c.findArticle("RS-NEW"), added); // the first with the code wins
    EXPECT_EQ(c.addRollerSet(nullptr), nullptr);
    EXPECT_EQ(c.articles().size(), 81u);
}

TEST(CatalogueBuild, CollectionsAreLookedUpByExactName) {
    TempFolder folder;
    Catalogue c(folder.path());
    std::vector<MaterialCollection> collections(2);
    collections[0].name = "Зеркала";
    collections[1].name = "ДСП";
    c.setCollections(std::move(collections));
    EXPECT_EQ(c.collectionNames(), (std::vector<std::string>{"Зеркала", "ДСП"}));
    ASSERT_NE(c.findCollection("ДСП"), nullptr);
    EXPECT_EQ(c.findCollection("ДСП"), &c.collections()[1]);
    EXPECT_EQ(c.findCollection("дсп"), nullptr);
}

} // namespace
} // namespace dalvex
