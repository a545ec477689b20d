#include "calc/order_options.h"
#include "records/records.h"

#include <gtest/gtest.h>

#include <climits>

namespace dalvex {
namespace {

TEST(PriceCategoryWord, MapsTheEightLowerCaseWordsAndNothingElse) {
    const std::pair<const char*, PriceCategory> cases[] = {
        {"стандарт", kCategoryStandard}, {"премиум", kCategoryPremium}, {"анод", kCategoryAnod},
        {"базовый", kCategoryBasic},     {"новинка", kCategoryNew},     {"акция", kCategorySale},
        {"хром", kCategoryChrome},       {"глянец", kCategoryGloss},    {"Стандарт", kCategoryNone},
        {" анод", kCategoryNone},        {"", kCategoryNone},           {"standard", kCategoryNone},
        {"глянецц", kCategoryNone},
    };
    for (const auto& [word, expected] : cases)
        EXPECT_EQ(priceCategoryFromWord(word), expected) << word;
}

struct PriceCase {
    int32_t category;      // the colour's category in system 4
    int32_t categoryPrice; // the article's price in that category (when it is not the standard one)
    int32_t expected;
};

class PriceForTest : public ::testing::TestWithParam<PriceCase> {};

TEST_P(PriceForTest, TakesTheCategoryPriceOnlyWhenItIsSet) {
    const PriceCase& c = GetParam();
    Article article;
    article.prices[kCategoryStandard] = 1000;
    if (c.category >= 2 && c.category <= 8) article.prices[static_cast<size_t>(c.category)] = c.categoryPrice;
    ProfileColor color;
    color.categories[4] = c.category;
    EXPECT_EQ(article.priceFor(&color, 4), c.expected);
    // Other systems keep category 1.
    EXPECT_EQ(article.priceFor(&color, 3), 1000);
}

INSTANTIATE_TEST_SUITE_P(Categories, PriceForTest,
                         ::testing::Values(PriceCase{1, 0, 1000}, PriceCase{2, 1500, 1500},
                                           PriceCase{3, 0, 1000}, PriceCase{3, 1200, 1200},
                                           PriceCase{8, 900, 900}, PriceCase{5, -7, 1000},
                                           PriceCase{0, 0, 1000}, PriceCase{9, 0, 1000},
                                           PriceCase{-3, 0, 1000}, PriceCase{INT32_MAX, 0, 1000}));

TEST(PriceFor, NoColourOrForeignSystemIndexGivesTheStandardPrice) {
    Article article;
    article.prices[kCategoryStandard] = 250;
    article.prices[kCategoryAnod] = 300;
    ProfileColor anod;
    anod.categories.fill(kCategoryAnod);
    EXPECT_EQ(article.priceFor(nullptr, 0), 250);
    EXPECT_EQ(article.priceFor(&anod, 0), 300);
    EXPECT_EQ(article.priceFor(&anod, -1), 250);
    EXPECT_EQ(article.priceFor(&anod, 9), 250);
    EXPECT_EQ(article.priceFor(&anod, INT_MIN), 250);
}

TEST(DividerOrientation, TheProfilesOwnElseTheChosenElseHorizontal) {
    DividerProfile either, horizontal, vertical;
    horizontal.flag = 1;
    vertical.flag = 2;
    const struct {
        const DividerProfile* profile;
        std::optional<bool> chosen;
        bool expected;
    } cases[] = {
        {nullptr, std::nullopt, false},  {&either, std::nullopt, false}, {&either, true, true},
        {&either, false, false},         {&horizontal, true, false},     {&vertical, false, true},
        {&vertical, std::nullopt, true}, {nullptr, true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dividersVertical(c.profile, c.chosen), c.expected);
}

TEST(BarLength, FollowsTheOrdersBarChoice) {
    Article a;
    a.barLength1 = 55000;
    a.barLength2 = 48000;
    OrderOptions options;
    EXPECT_EQ(options.barLength(a), 55000);
    options.setBarChoice(a, 2);
    EXPECT_EQ(options.barLength(a), 48000);
    options.setBarChoice(a, 1);
    EXPECT_EQ(options, OrderOptions{}); // the first bar is no choice at all
}

struct QuantityCase {
    uint8_t perWardrobe;
    uint8_t doorsPerSet;
    int32_t doors;
    int32_t expected;
};

class RollerQuantityTest : public ::testing::TestWithParam<QuantityCase> {};

TEST_P(RollerQuantityTest, Quantity) {
    const QuantityCase& c = GetParam();
    RollerSet set;
    set.perWardrobe = c.perWardrobe;
    set.doorsPerSet = c.doorsPerSet;
    EXPECT_EQ(set.quantity(c.doors), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, RollerQuantityTest,
    ::testing::Values(QuantityCase{1, 2, 3, 2}, QuantityCase{0, 2, 3, 6}, QuantityCase{1, 2, 4, 2},
                      QuantityCase{1, 3, 3, 1}, QuantityCase{1, 3, 4, 2}, QuantityCase{0, 1, 1, 1},
                      QuantityCase{1, 0, 3, 0}, QuantityCase{0, 0, 3, 0}, QuantityCase{0, 1, 0, 0},
                      QuantityCase{1, 2, -5, 0}, QuantityCase{0, 255, INT32_MAX, INT32_MAX},
                      QuantityCase{1, 1, INT32_MAX, INT32_MAX}, QuantityCase{1, 255, INT32_MAX, 8421505}));

TEST(RollerFits, SymmetryAgainstTheHandleProfile) {
    HandleProfile symmetric;
    symmetric.asymmetric = 0;
    HandleProfile asymmetric;
    asymmetric.asymmetric = 1;
    struct Case {
        int32_t symmetry;
        const HandleProfile* handle;
        bool fits;
    };
    const Case cases[] = {
        {0, &symmetric, true},   {0, &asymmetric, true},  {0, nullptr, true},      {1, &symmetric, true},
        {1, &asymmetric, false}, {1, nullptr, true},      {2, &symmetric, false},  {2, &asymmetric, true},
        {2, nullptr, true},      {3, &asymmetric, false}, {-1, &symmetric, false},
    };
    for (const Case& c : cases) {
        RollerSet set;
        set.symmetry = c.symmetry;
        EXPECT_EQ(set.fits(c.handle), c.fits)
            << "symmetry " << c.symmetry << " asymmetric " << (c.handle ? c.handle->asymmetric : -1);
    }
}

TEST(HandleProfileOffers, AnyFlagCountsAndOtherColoursDoNot) {
    ProfileColor stock, toOrder, other;
    HandleProfile p;
    p.colorList = {{&stock, false}, {&toOrder, true}};
    EXPECT_TRUE(p.offers(&stock));
    EXPECT_TRUE(p.offers(&toOrder));
    EXPECT_FALSE(p.offers(&other));
    EXPECT_FALSE(p.offers(nullptr));
    EXPECT_FALSE(HandleProfile().offers(&stock));
}

TEST(MaterialKey, FileNameOrSubFolderAndFileNameWithABackslash) {
    struct Case {
        const char* path;
        bool fromFolder;
        const char* key;
    };
    const Case cases[] = {
        {"C:\\dalvex\\materials\\Зеркала\\images\\m1.jpg", false, "m1.jpg"},
        {"C:\\dalvex\\materials\\Зеркала\\images\\Серебро\\m1.jpg", true, "Серебро\\m1.jpg"},
        {"/opt/dalvex/materials/Glass/images/Frost/p.png", true, "Frost\\p.png"},
        {"/opt/dalvex/materials/Glass/images/p.png", false, "p.png"},
        {"/opt/dalvex/materials/Glass\\images/Sub\\p.png", true, "Sub\\p.png"},
        {"p.png", false, "p.png"},
        {"p.png", true, "p.png"},
        {"Sub/p.png", true, "Sub\\p.png"},
        {"/p.png", true, "\\p.png"},
        {"", false, ""},
        {"", true, ""},
        {"a/b/", false, ""},
    };
    for (const Case& c : cases) {
        Material m;
        m.picturePath = c.path;
        m.fromFolder = c.fromFolder;
        EXPECT_EQ(m.key(), c.key) << c.path << " fromFolder " << c.fromFolder;
    }
}

TEST(MaterialTitle, NameAndCodeAsAPersonReadsThem) {
    struct Case {
        const char* name;
        const char* code;
        const char* path;
        bool fromFolder;
        const char* title;
    };
    const Case cases[] = {
        {"Дуб Бардолино натуральный", "H1145 ST10", "/m/images/egger_h1145_st10.jpg", false,
         "Дуб Бардолино натуральный (H1145 ST10)"},
        {"Фотопечать, город", "ФП-ГОРОД", "/m/images/city/01.jpg", true,
         "Фотопечать, город (ФП-ГОРОД, city\\01.jpg)"},
        {"Зеркало", "", "/m/images/mirror.jpg", false, "Зеркало"},
        {"Фотопечать", "", "/m/images/city/01.jpg", true, "Фотопечать (city\\01.jpg)"},
        {"", "ЗР-С4", "/m/images/mirror_silver.jpg", false, "mirror_silver.jpg"},
    };
    for (const Case& c : cases) {
        Material m;
        m.name = c.name;
        m.code = c.code;
        m.picturePath = c.path;
        m.fromFolder = c.fromFolder;
        EXPECT_EQ(m.title(), c.title) << c.path;
    }
}

TEST(MaterialCollectionFind, ExactKeyFirstMatchWins) {
    MaterialCollection c;
    c.materials.resize(3);
    c.materials[0].picturePath = "/m/images/A.jpg";
    c.materials[0].code = "first";
    c.materials[1].picturePath = "/m/images/Sub/A.jpg";
    c.materials[1].fromFolder = true;
    c.materials[2].picturePath = "/other/A.jpg";
    c.materials[2].code = "second";
    ASSERT_NE(c.find("A.jpg"), nullptr);
    EXPECT_EQ(c.find("A.jpg")->code, "first");
    EXPECT_EQ(c.find("Sub\\A.jpg"), &c.materials[1]);
    EXPECT_EQ(c.find("a.jpg"), nullptr);
    EXPECT_EQ(c.find("Sub/A.jpg"), nullptr);
    EXPECT_EQ(c.find(""), nullptr);
    EXPECT_EQ(c.picturePaths(),
              (std::vector<std::string>{"/m/images/A.jpg", "/m/images/Sub/A.jpg", "/other/A.jpg"}));
    EXPECT_TRUE(MaterialCollection().picturePaths().empty());
}

} // namespace
} // namespace dalvex
