#include "calc/ds_system.h"
#include "calc/line_amounts.h"
#include "catalogue/catalogue.h"
#include "io/utf8_path.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "records/price_lists.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace dalvex {
namespace {

using testing::TempFolder;

// A Catalogue built from a program folder whose profiles/ holds the given lists (empty text: no such file).
struct ProgramFolder {
    TempFolder folder;

    Catalogue& build(const std::string& prices, const std::string& colors, const std::string& rollers) {
        folder.makeFolder("profiles");
        if (!prices.empty()) folder.writeText("profiles/price.csv", prices);
        if (!colors.empty()) folder.writeText("profiles/colors_price.csv", colors);
        if (!rollers.empty()) folder.writeText("profiles/rollers.csv", rollers);
        catalogue = std::make_unique<Catalogue>(folder.path());
        return *catalogue;
    }
    std::unique_ptr<Catalogue> catalogue;
};

std::vector<std::string> articleCodes(const DSSystem& system) {
    std::vector<std::string> codes;
    for (const Article* a : system.articles)
        codes.push_back(a->code);
    return codes;
}

bool lists(const DSSystem& system, const std::string& code) {
    for (const Article* a : system.articles)
        if (a->code == code) return true;
    return false;
}

// --- Result codes of the three readers, on a Catalogue without lists. ---

TEST(PriceListReadersTest, ResultCodes) {
    TempFolder folder;
    Catalogue catalogue(folder.path());
    struct Case {
        const char* label;
        PriceListRead (*reader)(RecordStore&, const std::filesystem::path&);
        const char* text; // nullptr: no file
        int result;
    };
    const std::vector<Case> cases = {
        {"prices missing", readProfilePrices, nullptr, 1},
        {"prices empty", readProfilePrices, "", 2},
        {"prices no line end", readProfilePrices, "Код;Коллекция;Цена", 2},
        {"prices header only", readProfilePrices, "Код;Коллекция;Цена\n", 0},
        {"prices no code", readProfilePrices, "Коллекция;Цена\n;1\n", 3},
        {"prices no category", readProfilePrices, "Код;Цена\nJB01;1\n", 3},
        {"prices no price", readProfilePrices, "Код;Коллекция\nJB01;\n", 3},
        {"colours missing", readColorCategories, nullptr, 1},
        {"colours empty", readColorCategories, "", 2},
        {"colours no line end", readColorCategories, "Цвет;Борвик", 2},
        {"colours no colour column", readColorCategories, "Борвик;Лантес\nанод;анод\n", 3},
        {"colours no system column", readColorCategories, "Цвет;Венлор;Прочее\nБелый;анод;анод\n", 4},
        {"colours header only", readColorCategories, "Цвет;Борвик\n", 0},
        {"rollers missing", readRollerSets, nullptr, 1},
        {"rollers empty", readRollerSets, "", 2},
        {"rollers no line end", readRollerSets, "Далвекс", 2},
        {"rollers header only", readRollerSets, "Код;Название;Симметрия;Количество\n", 0},
    };
    const std::size_t articleCount = catalogue.articles().size();
    for (const Case& c : cases) {
        const std::filesystem::path file = folder / "list.csv";
        std::filesystem::remove(file);
        if (c.text != nullptr) folder.writeText("list.csv", c.text);
        EXPECT_EQ(c.reader(catalogue, file).result, c.result) << c.label;
    }
    EXPECT_EQ(catalogue.articles().size(), articleCount);
    EXPECT_EQ(catalogue.findHandleProfile("JB01")->standardPrice(), 0);
}

TEST(PriceListReadersTest, BinaryJunkAndLongLinesChangeNothingHarmful) {
    TempFolder folder;
    Catalogue catalogue(folder.path());
    std::string junk;
    for (int i = 0; i < 8192; ++i)
        junk.push_back(static_cast<char>((i * 97 + 13) & 0xFF));
    junk += "\n" + std::string(1 << 20, ';') + "\n" + std::string(1 << 20, 'z') + "\n";
    const std::filesystem::path file = folder.writeBytes("junk.csv", junk);
    EXPECT_EQ(readProfilePrices(catalogue, file).result, 3);
    EXPECT_EQ(readColorCategories(catalogue, file).result, 3);
    EXPECT_EQ(readRollerSets(catalogue, file).result, 0);
}

// --- price.csv ---

TEST(ProfilePricesTest, PricesGoToTheRecordAndCategory) {
    ProgramFolder program;
    Catalogue& catalogue = program.build("Цена;Код;Коллекция;Прочее\n"
                                         "123,45;JB01;;x\n"
                                         "123.45;jb100;\n"
                                         "200;JB01; Премиум \n"
                                         "300;JB01;неизвестно\n"
                                         "10;JB01;Глянец\n"
                                         "11;JB01;глянец\n"
                                         "0;JB100;\n"
                                         "-5;JB100;\n"
                                         "дорого;JB100;\n"
                                         "77;JB09;анод\n"
                                         "15,5;jb02;\n"
                                         "99;NOPE;\n"
                                         "1e30;DX01;\n"
                                         "50\n",
                                         "", "");
    const HandleProfile* jb01 = catalogue.findHandleProfile("JB01");
    ASSERT_NE(jb01, nullptr);
    EXPECT_EQ(jb01->prices[kCategoryStandard], 12345);
    EXPECT_EQ(jb01->prices[kCategoryPremium], 20000);
    EXPECT_EQ(jb01->prices[kCategoryGloss], 1100); // the later line wins
    for (int c : {3, 4, 5, 6, 7})
        EXPECT_EQ(jb01->prices[static_cast<std::size_t>(c)], 0) << c;
    EXPECT_EQ(catalogue.findHandleProfile("JB100")->standardPrice(), 12345);
    EXPECT_EQ(catalogue.findDividerProfile("JB09")->prices[kCategoryAnod], 7700);
    EXPECT_EQ(catalogue.findArticle("JB02")->standardPrice(), 1550);
    EXPECT_EQ(catalogue.findHandleProfile("DX01")->standardPrice(), INT32_MAX);
}

TEST(ProfilePricesTest, LaterColumnOfTheSameNameWins) {
    ProgramFolder program;
    Catalogue& catalogue = program.build("Код;Цена;Коллекция;ЦЕНА\nJB01;1;;2\n", "", "");
    EXPECT_EQ(catalogue.findHandleProfile("JB01")->standardPrice(), 200);
}

// --- colors_price.csv ---

TEST(ColorCategoriesTest, SetsTheCategoryOfTheBoundSystems) {
    ProgramFolder program;
    Catalogue& catalogue = program.build("", "Цвет;Борвик\nХром глянец;анод\n", "");
    const ProfileColor* chrome = catalogue.findColor("Хром глянец");
    ASSERT_NE(chrome, nullptr);
    EXPECT_EQ(chrome->index, 4);
    EXPECT_EQ(chrome->categories[0], kCategoryAnod);
    for (std::size_t s = 1; s < 9; ++s)
        EXPECT_EQ(chrome->categories[s], 1) << s;
}

TEST(ColorCategoriesTest, WordsColumnsAndColourNames) {
    ProgramFolder program;
    Catalogue& catalogue = program.build("",
                                         " ЦВЕТ ;ДАЛВЕКС;лантес;Прочее;Лантес\n"
                                         "хром ГЛЯНЕЦ ; Хром ;премиум;x;акция\n"
                                         "Хром глянец;;неизвестно;;\n"
                                         ";глянец;глянец\n"
                                         "Нет такого;глянец;глянец\n",
                                         "");
    const ProfileColor* chrome = catalogue.findColor("Хром глянец");
    ASSERT_NE(chrome, nullptr);
    EXPECT_EQ(chrome->categories[4], kCategoryChrome); // empty word on the next line keeps it
    EXPECT_EQ(chrome->categories[1], kCategorySale);   // the later "Лантес" column wins
    EXPECT_EQ(chrome->categories[0], 1);
    for (const ProfileColor* color : catalogue.colors()) {
        if (color != chrome) {
            EXPECT_EQ(color->categories[4], 1) << color->code;
        }
    }
}

// --- rollers.csv ---

TEST(RollerSetsTest, AddsASetToItsSectionAndReplacesTheBuiltInSets) {
    ProgramFolder program;
    Catalogue& catalogue = program.build("Код;Коллекция;Цена\nDX99;;450\n", "",
                                         "Код;Название;Симметрия;Количество\n"
                                         "JX1;before any section;симметричный;1\n"
                                         "Далвекс;ignored;ignored;ignored\n"
                                         " DX99 ; Комплект роликов ;Асимметричный; 02\n"
                                         "DX98;no count;симметричный;\n"
                                         ";no code;симметричный;2\n");
    const Article* last = catalogue.articles().back();
    ASSERT_EQ(last->code, "DX99");
    const auto* set = dynamic_cast<const RollerSet*>(last);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->name, "Комплект роликов");
    EXPECT_EQ(set->symmetry, 2);
    EXPECT_EQ(set->perWardrobe, 1);
    EXPECT_EQ(set->doorsPerSet, 2);
    EXPECT_EQ(set->kind, kKindRollerSet);
    EXPECT_EQ(set->imageId, 0);
    EXPECT_EQ(set->index, catalogue.articles()[catalogue.articles().size() - 2]->index + 1);
    EXPECT_EQ(set->standardPrice(), 45000); // priced after the sets were read
    EXPECT_EQ(catalogue.findArticle("JX1"), nullptr);
    EXPECT_EQ(catalogue.findArticle("DX98"), nullptr);

    const DSSystem* dalvex = catalogue.findSystem("Далвекс");
    ASSERT_NE(dalvex, nullptr);
    EXPECT_EQ(dalvex->defaultRollerSet, set);
    EXPECT_EQ(catalogue.defaultOptions().of(kSystemDalvex).rollerSet, set); // a new order starts with it
    EXPECT_TRUE(lists(*dalvex, "DX99"));
    EXPECT_FALSE(lists(*dalvex, "DX12"));
    EXPECT_FALSE(lists(*dalvex, "DX12-1"));
    // Other systems keep their built-in sets.
    EXPECT_TRUE(lists(*catalogue.findSystem("Лантес"), "Y1406"));
    EXPECT_FALSE(lists(*catalogue.findSystem("Лантес"), "DX99"));
}

TEST(RollerSetsTest, OneSetUnderTwoSectionsAndExistingCodes) {
    ProgramFolder program;
    Catalogue& catalogue = program.build("", "",
                                         "header\n"
                                         "борвик\n"
                                         "R1;first;симметричный;2\n"
                                         "R1;again;асимметричный;04\n"
                                         "JB16;renamed;асимметричный;05\n"
                                         "ЛАНТЕС ;x\n"
                                         "r1;other case;;3\n"
                                         "R2;wide;другое;300\n"
                                         "R3;zero;;0\n");
    const std::size_t builtIn = 79;
    ASSERT_EQ(catalogue.articles().size(), builtIn + 3);
    const auto* r1 = dynamic_cast<const RollerSet*>(catalogue.findArticle("R1"));
    ASSERT_NE(r1, nullptr);
    EXPECT_EQ(r1->name, "first"); // created once, from its first line
    EXPECT_EQ(r1->symmetry, 1);
    EXPECT_EQ(r1->perWardrobe, 0);
    EXPECT_EQ(r1->doorsPerSet, 2);
    const auto* r2 = dynamic_cast<const RollerSet*>(catalogue.findArticle("R2"));
    ASSERT_NE(r2, nullptr);
    EXPECT_EQ(r2->symmetry, 0);
    EXPECT_EQ(r2->doorsPerSet, 300 % 256); // the count is kept in eight bits
    const auto* r3 = dynamic_cast<const RollerSet*>(catalogue.findArticle("R3"));
    ASSERT_NE(r3, nullptr);
    EXPECT_EQ(r3->perWardrobe, 1);
    EXPECT_EQ(r3->doorsPerSet, 0);

    const auto* jb16 = dynamic_cast<const RollerSet*>(catalogue.findArticle("JB16"));
    ASSERT_NE(jb16, nullptr);
    EXPECT_NE(jb16->name, "renamed"); // an existing article is used unchanged
    EXPECT_EQ(jb16->perWardrobe, 0);

    const DSSystem* borvik = catalogue.findSystem("Борвик");
    const DSSystem* lantes = catalogue.findSystem("Лантес");
    EXPECT_EQ(borvik->defaultRollerSet, r1);
    EXPECT_EQ(lantes->defaultRollerSet, r1);
    const std::vector<std::string> borvikCodes = articleCodes(*borvik);
    EXPECT_EQ(std::count(borvikCodes.begin(), borvikCodes.end(), "R1"), 1);
    EXPECT_EQ(std::count(borvikCodes.begin(), borvikCodes.end(), "JB16"), 1);
    EXPECT_FALSE(lists(*borvik, "JB10/11B"));
    EXPECT_TRUE(lists(*lantes, "R2"));
    EXPECT_FALSE(lists(*lantes, "Y1406"));
}

TEST(RollerSetsTest, AnArticleOfAnotherKindNeverBecomesTheRollerSet) {
    ProgramFolder program;
    Catalogue& catalogue = program.build("", "", "header\nКворин\nJG01;profile;симметричный;1\n");
    const DSSystem* quorin = catalogue.findSystem("Кворин");
    ASSERT_NE(quorin, nullptr);
    EXPECT_EQ(catalogue.articles().size(), 79u);
    // No roller set came from the list, so the system keeps its built-in one.
    EXPECT_TRUE(lists(*quorin, "JG01"));
    EXPECT_TRUE(lists(*quorin, "JB10/11B"));
    EXPECT_TRUE(quorin->defaultRollerSet == nullptr || quorin->defaultRollerSet->kind == kKindRollerSet);
}

// --- What the lists give: warnings, and prices no bill may take silently ---

// A list that cannot be read or gives nothing is named in a warning.
TEST(PriceListWarningsTest, ListsThatGiveNothingAreNamed) {
    const struct {
        const char* what;
        const char* file; // the list written instead of its good version; nullptr: none
        const char* text; // nullptr: the file is missing
        const char* warning;
    } cases[] = {
        {"all read", nullptr, nullptr, nullptr},
        {"prices missing", "price.csv", nullptr, "Прайс-лист не прочитан: "},
        {"colours empty", "colors_price.csv", "", "Прайс-лист пуст: "},
        {"colours header only", "colors_price.csv", "Цвет;Борвик\n",
         "В прайс-листе нет ни одной годной строки: "},
        {"no price column", "price.csv", "Код;Коллекция\nJB01;\n", "В прайс-листе нет нужных столбцов: "},
        {"only negative prices", "price.csv", "Код;Коллекция;Цена\nJB01;;-1650\n",
         "В прайс-листе нет ни одной годной строки: "},
        {"rollers under no system", "rollers.csv", "header\nDX99;Ролики;;02\n",
         "В прайс-листе нет ни одной годной строки: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        folder.writeText("profiles/price.csv", "Код;Коллекция;Цена\nJB01;;420\n");
        folder.writeText("profiles/colors_price.csv", "Цвет;Борвик\nХром глянец;анод\n");
        folder.writeText("profiles/rollers.csv", "header\nДалвекс\nDX99;Ролики;;02\n");
        const std::string relative = std::string("profiles/") + (c.file ? c.file : "");
        if (c.file != nullptr) std::filesystem::remove(folder / relative);
        if (c.file != nullptr && c.text != nullptr) folder.writeText(relative, c.text);
        const Catalogue catalogue(folder.path());
        const std::vector<std::string> expected =
            c.warning ? std::vector<std::string>{c.warning + pathToUtf8(folder.path() / "profiles" / c.file)}
                      : std::vector<std::string>{};
        EXPECT_EQ(catalogue.priceListWarnings(), expected);
    }
}

// Prices as a spreadsheet writes them are read as written ("1 650" is 1650 roubles, with a plain or a
// no-break space); a price beyond what kopecks in 32 bits hold and a negative material price make their line
// an error, so that the order's total reads "ОШИБКА" instead of a wrong amount.
TEST(PriceValuesTest, WrongPricesMakeTheirLineAnError) {
    const std::string none;
    const struct {
        const char* what;
        const char* handlePrice; // of the project's handle profile, per metre
        const char* materialPrice;
        std::string handleError;
        std::string materialError;
    } cases[] = {
        {"plain", "1650", "1500", none, none},
        {"digit groups", "1 650", "1 500", none, none},
        {"no-break spaces", "1\u00A0650", "1\u00A0500", none, none},
        {"handle beyond 32 bits", "21 474 837", "1500", kAmountTooLargeText, none},
        {"negative material", "1650", "-1650", none, kNegativePriceText},
        {"material beyond 32 bits", "1650", "30 000 000", none, kAmountTooLargeText},
    };
    int32_t plainTotal = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        folder.writeBytes("materials/Зеркала/images/m.jpg", "jpg");
        folder.writeText("materials/Зеркала/price.csv",
                         std::string("Код;Изображение;Цена\nZ1;m.jpg;") + c.materialPrice + "\n");
        folder.makeFolder("config");
        const std::string handle = "JB001";
        folder.writeText("profiles/price.csv", "Код;Коллекция;Цена\n" + handle + ";;" + c.handlePrice + "\n");
        Catalogue catalogue(folder.path());
        Project project(catalogue, folder / "config");
        ASSERT_EQ(project.handleProfile->code, handle);
        ASSERT_EQ(catalogue.collections().size(), 1u);
        ASSERT_TRUE(ProjectEditor(project).apply(edit::Fill{0, project.sketch.doors[0].inserts.begin()->first,
                                                             &catalogue.collections()[0].materials.at(0)}));

        std::string handleError = "no line";
        for (const ArticleLine& line : project.result.articleLines)
            if (line.code == handle) handleError = line.error;
        EXPECT_EQ(handleError, c.handleError);
        ASSERT_FALSE(project.result.materialLines.empty());
        EXPECT_EQ(project.result.materialLines.front().error, c.materialError);
        const bool priced = c.handleError.empty() && c.materialError.empty();
        EXPECT_EQ(project.grandTotalText() == "ОШИБКА", !priced);
        if (std::string(c.what) == "plain") plainTotal = project.itemsTotal();
        if (priced) {
            EXPECT_EQ(project.itemsTotal(), plainTotal);
        }
    }
}

} // namespace
} // namespace dalvex
