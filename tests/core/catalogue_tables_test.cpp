// The built-in tables as the Catalogue holds them, checked row by row.
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

namespace dalvex {
namespace {

// A Catalogue built from an empty program folder: no price lists and no materials.
const Catalogue& bareCatalogue() {
    static const Catalogue* catalogue = [] {
        namespace fs = std::filesystem;
        const fs::path folder =
            fs::temp_directory_path() / ("dalvex_catalogue_tables_" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
        auto* built = new Catalogue(folder);
        std::error_code ec;
        fs::remove_all(folder, ec);
        return built;
    }();
    return *catalogue;
}

template <class T> std::vector<std::string> codesOf(const std::vector<T*>& list) {
    std::vector<std::string> codes;
    for (const T* item : list)
        codes.push_back(item->code);
    return codes;
}

TEST(CatalogueTables, Counts) {
    const Catalogue& c = bareCatalogue();
    EXPECT_EQ(c.systems().size(), 9u);
    EXPECT_EQ(c.handleProfiles().size(), 22u);
    EXPECT_EQ(c.colors().size(), 59u);
    EXPECT_EQ(c.dividerProfiles().size(), 9u);
    EXPECT_EQ(c.articles().size(), 79u);
    EXPECT_TRUE(c.collections().empty());
}

TEST(CatalogueTables, EveryListIsIndexedInOrder) {
    const Catalogue& c = bareCatalogue();
    const auto check = [](const auto& list, const char* what) {
        for (size_t i = 0; i < list.size(); ++i)
            EXPECT_EQ(list[i]->index, static_cast<int32_t>(i)) << what;
    };
    check(c.systems(), "systems");
    check(c.handleProfiles(), "handle profiles");
    check(c.colors(), "colours");
    check(c.dividerProfiles(), "divider profiles");
    check(c.articles(), "articles");
}

struct SystemCase {
    const char* name;
    int32_t imageId;
    std::vector<std::string> handles, dividers, articles; // articles: the built-in roller sets last
};

TEST(CatalogueTables, SystemsWithTheirListsInOrder) {
    const std::vector<SystemCase> cases = {
        {"Борвик",
         118,
         {"JB001", "JB01", "JB11", "JB100", "JB120", "JB130", "JB200", "JB300N"},
         {"JB09", "JB91"},
         {"JB02", "JB03", "JB04", "JB05", "JB06", "JB07", "JB08", "JB13", "JB14", "JB17", "JB10/11B",
          "JB010/011B", "JB16"}},
        {"Лантес",
         115,
         {"JL11", "JL12", "JL201", "DX01", "DX02", "JS01"},
         {"DX13", "DX08"},
         {"JL14", "JL15", "DX11", "JB02", "JB03", "JB05", "JB06", "JB13", "JB14", "Y1406"}},
        {"Кворин",
         315,
         {"JQ01", "JQ02"},
         {"JQ09"},
         {"JB02", "JB05", "JQ07", "JQ08", "JB13", "DX11", "JB10/11B"}},
        {"Сенфил-Н",
         119,
         {"JS01"},
         {"DX13", "DX08"},
         {"JS02", "JS03", "JB02", "JB03", "JB05", "JB06", "JB13", "JB14", "DX11", "JS04/05", "JLS"}},
        {"Далвекс",
         116,
         {"DX01", "DX02"},
         {"DX13", "DX08"},
         {"JW01", "DX03", "DX04", "DX05", "DX06", "DX07", "DX10NEW", "DX11", "JL15", "DX12", "DX12-1"}},
        {"Фелдор",
         300,
         {"JB300N", "JB100"},
         {"JB09"},
         {"JB07", "JB08", "FD01", "FD02", "FD04", "FD05", "FD06", "FD09", "JB17", "FD-SHL", "FD-SHL-1",
          "FD03"}},
        {"Герлит",
         120,
         {},
         {},
         {"JG01", "JG02", "JG03", "JG04", "JG06", "JG07", "JG08", "JG09", "JG10", "JG11", "JG12/JG13", "JG14",
          "JG15", "JG16", "JG05"}},
        {"Зеркан",
         319,
         {"JZ02"},
         {"JZ03"},
         {"JZ01", "JZ04", "JZ05", "JZ06", "JZ07", "JZB02", "JZB03", "JZB01"}},
        {"Нордел",
         330,
         {"JN01"},
         {"JN09"},
         {"JN02", "JN03", "JN06", "JN07", "JN99", "JN17", "JZ01", "JZ05", "JNB01"}},
    };
    const Catalogue& c = bareCatalogue();
    ASSERT_EQ(c.systems().size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const DSSystem& s = *c.systems()[i];
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(s.code, cases[i].name);
        EXPECT_EQ(s.imageId, cases[i].imageId);
        EXPECT_TRUE(s.name.empty());
        EXPECT_EQ(s.lookup, static_cast<const ArticleLookup*>(&c));
        EXPECT_EQ(s.defaultRollerSet, nullptr);
        EXPECT_EQ(codesOf(s.handleProfileList), cases[i].handles);
        EXPECT_EQ(codesOf(s.dividerProfiles), cases[i].dividers);
        EXPECT_EQ(codesOf(s.articles), cases[i].articles);
    }
}

TEST(CatalogueTables, SystemListsPointIntoTheCatalogue) {
    const Catalogue& c = bareCatalogue();
    for (const DSSystem* s : c.systems()) {
        for (const HandleProfile* p : s->handleProfileList)
            EXPECT_EQ(c.findHandleProfile(p->code), p);
        for (const DividerProfile* p : s->dividerProfiles)
            EXPECT_EQ(c.findDividerProfile(p->code), p);
        for (const Article* a : s->articles)
            EXPECT_EQ(c.findArticle(a->code), a);
    }
}

struct HandleCase {
    const char* code;
    int32_t imageId, faceWidth, joinDeduction, fillingInset, barLength1, barLength2, asymmetric;
};

class HandleProfileRowTest : public ::testing::TestWithParam<HandleCase> {};

TEST_P(HandleProfileRowTest, Fields) {
    const HandleCase& h = GetParam();
    const HandleProfile* p = bareCatalogue().findHandleProfile(h.code);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->code, h.code);
    EXPECT_EQ(p->imageId, h.imageId);
    EXPECT_EQ(p->faceWidth, h.faceWidth);
    EXPECT_EQ(p->joinDeduction, h.joinDeduction);
    EXPECT_EQ(p->fillingInset, h.fillingInset);
    EXPECT_EQ(p->barLength1, h.barLength1);
    EXPECT_EQ(p->barLength2, h.barLength2);
    EXPECT_EQ(p->asymmetric, h.asymmetric);
    EXPECT_EQ(p->kind, kKindHandleProfile);
    EXPECT_EQ(bareCatalogue().defaultOptions().barChoice(*p), 1);
}

// In index order.
const HandleCase kHandleRows[] = {
    {"JB01", 132, 260, 252, 171, 55000, 48000, 1},  {"JB100", 133, 360, 346, 270, 55000, 0, 1},
    {"JB200", 134, 410, 252, 160, 55000, 48000, 1}, {"JB300N", 135, 500, 490, 410, 55000, 0, 0},
    {"DX01", 136, 145, 145, 12, 49000, 0, 1},       {"DX02", 137, 60, 60, 12, 49000, 0, 1},
    {"JL11", 138, 256, 155, 30, 48000, 55000, 1},   {"JL201", 140, 370, 155, 30, 55000, 0, 1},
    {"JL301", 141, 500, 155, 30, 48000, 55000, 1},  {"JW03", 142, 220, 200, 160, 50000, 0, 1},
    {"JS01", 143, 198, 190, 100, 42000, 55000, 1},  {"JB001", 288, 260, 252, 171, 55000, 48000, 1},
    {"JB220", 289, 325, 269, 184, 48000, 55000, 1}, {"JB11", 295, 180, 175, 93, 55000, 0, 1},
    {"JB150", 296, 180, 175, 93, 55000, 0, 0},      {"JL12", 297, 145, 145, 12, 44000, 48000, 1},
    {"JQ01", 313, 120, 100, 25, 55000, 0, 1},       {"JQ02", 320, 120, 100, 25, 55000, 0, 1},
    {"JZ02", 321, 140, 140, 12, 55000, 0, 1},       {"JB120", 327, 200, 195, 105, 55000, 0, 0},
    {"JB130", 326, 310, 305, 220, 55000, 0, 0},     {"JN01", 325, 218, 200, 110, 50000, 0, 1},
};

INSTANTIATE_TEST_SUITE_P(All, HandleProfileRowTest, ::testing::ValuesIn(kHandleRows));

TEST(CatalogueTables, HandleProfileOrderAndNames) {
    const Catalogue& c = bareCatalogue();
    std::vector<std::string> expected;
    for (const HandleCase& h : kHandleRows)
        expected.push_back(h.code);
    EXPECT_EQ(codesOf(c.handleProfiles()), expected);
    EXPECT_EQ(c.handleProfiles()[0]->name, "Вертикальный ассиметричный профиль");
    EXPECT_EQ(c.handleProfiles()[4]->name, "Профиль ручка");
    EXPECT_EQ(c.handleProfiles()[9]->name, "Ручка профиль");
    EXPECT_EQ(c.handleProfiles()[10]->name, "Вертикальная профиль ручка");
    EXPECT_EQ(c.handleProfiles()[18]->name, "Основной профиль");
    EXPECT_EQ(c.handleProfiles()[20]->name, "Вертикальный симетричный профиль");
}

struct DividerCase {
    const char* code;
    int32_t imageId, faceWidth, joinDeduction, fillingInset, barLength1, barLength2;
    int32_t crossDeduction, crossDeduction2, dividerKind, flag;
};

class DividerProfileRowTest : public ::testing::TestWithParam<DividerCase> {};

TEST_P(DividerProfileRowTest, Fields) {
    const DividerCase& d = GetParam();
    const DividerProfile* p = bareCatalogue().findDividerProfile(d.code);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->imageId, d.imageId);
    EXPECT_EQ(p->faceWidth, d.faceWidth);
    EXPECT_EQ(p->joinDeduction, d.joinDeduction);
    EXPECT_EQ(p->fillingInset, d.fillingInset);
    EXPECT_EQ(p->barLength1, d.barLength1);
    EXPECT_EQ(p->barLength2, d.barLength2);
    EXPECT_EQ(p->crossDeduction, d.crossDeduction);
    EXPECT_EQ(p->crossDeduction2, d.crossDeduction2);
    EXPECT_EQ(p->dividerKind, d.dividerKind);
    EXPECT_EQ(p->flag, d.flag);
    EXPECT_EQ(p->kind, kKindDividerProfile);
    EXPECT_EQ(bareCatalogue().defaultOptions().barChoice(*p), 1);
}

const DividerCase kDividerRows[] = {
    {"DX08", 196, 140, 0, 14, 49000, 59000, 63, 63, 1, 0},
    {"DX09", 197, 60, 0, 14, 49000, 59000, 23, 23, 0, 0},
    {"DX13", 198, 140, 0, 14, 49000, 59000, 63, 63, 0, 0},
    {"JW05", 194, 206, 206, 140, 50000, 0, 96, 96, 2, 0},
    {"JB09", 195, 280, 280, 74, 59000, 0, 95, 95, 0, 0},
    {"JQ09", 314, 110, 110, 23, 59000, 0, 50, 50, 0, 0},
    {"JZ03", 322, 120, 120, 40, 52000, 0, 60, 60, 0, 0},
    {"JB91", 329, 100, 100, 10, 59000, 0, 45, 45, 0, 0},
    {"JN09", 328, 140, 219, 20, 50000, 0, 60, 60, 0, 1},
};

INSTANTIATE_TEST_SUITE_P(All, DividerProfileRowTest, ::testing::ValuesIn(kDividerRows));

TEST(CatalogueTables, DividerProfileOrderAndNames) {
    const Catalogue& c = bareCatalogue();
    std::vector<std::string> expected;
    for (const DividerCase& d : kDividerRows)
        expected.push_back(d.code);
    EXPECT_EQ(codesOf(c.dividerProfiles()), expected);
    EXPECT_EQ(c.dividerProfiles()[0]->name, "Профиль разделительный ДСП+Стекло");
    EXPECT_EQ(c.dividerProfiles()[6]->name, "Делитель Т-образный (алюминий)");
    EXPECT_EQ(c.dividerProfiles()[8]->name, "Разделитель");
}

struct ArticleCase {
    const char* code;
    int32_t kind, faceWidth, joinDeduction, fillingInset, barLength1;
    int32_t symmetry, perWardrobe, doorsPerSet; // roller sets only
};

// In index order.
const ArticleCase kArticleRows[] = {
    {"JB02", 4, 400, 0, 0, 59000, 0, 0, 0},     {"JB03", 4, 400, 0, 0, 59000, 0, 0, 0},
    {"JB04", 4, 0, 0, 0, 59000, 0, 0, 0},       {"JB05", 4, 0, 0, 0, 59000, 0, 0, 0},
    {"JB06", 4, 0, 0, 0, 59000, 0, 0, 0},       {"JB07", 4, 570, 570, 470, 59000, 0, 0, 0},
    {"JB08", 4, 205, 205, 120, 59000, 0, 0, 0}, {"JB10/11B", 6, 0, 0, 0, 0, 2, 0, 1},
    {"JB010/011B", 6, 0, 0, 0, 0, 1, 0, 1},     {"JB13", 7, 0, 0, 30, 0, 0, 0, 0},
    {"JB14", 2, 0, 0, 0, 0, 0, 0, 0},           {"JB16", 6, 0, 0, 0, 0, 0, 0, 2},
    {"JB17", 7, 0, 0, 10, 0, 0, 0, 0},          {"JL14", 4, 470, 470, 410, 59000, 0, 0, 0},
    {"Y1406", 6, 0, 0, 0, 0, 0, 0, 1},          {"JL15", 7, 0, 0, 0, 0, 0, 0, 0},
    {"JS02", 4, 0, 0, 0, 59000, 0, 0, 0},       {"JS03", 4, 0, 0, 0, 59000, 0, 0, 0},
    {"JS04/05", 6, 0, 0, 0, 0, 0, 0, 1},        {"JLS", 6, 0, 0, 0, 0, 0, 1, 2},
    {"DX03", 3, 145, 145, 12, 49000, 0, 0, 0},  {"DX04", 3, 60, 60, 12, 49000, 0, 0, 0},
    {"DX05", 4, 0, 0, 0, 49000, 0, 0, 0},       {"DX06", 2, 0, 0, 0, 49000, 0, 0, 0},
    {"DX07", 2, 0, 0, 0, 49000, 0, 0, 0},       {"DX10NEW", 4, 0, 0, 0, 49000, 0, 0, 0},
    {"DX11", 7, 0, 0, 0, 0, 0, 0, 0},           {"DX12", 6, 0, 0, 0, 0, 0, 1, 2},
    {"DX12-1", 6, 0, 0, 0, 0, 0, 1, 3},         {"JW01", 4, 0, 0, 0, 50000, 0, 0, 0},
    {"JW02", 5, 0, 0, 0, 50000, 0, 0, 0},       {"JW04", 3, 0, 0, 0, 50000, 0, 0, 0},
    {"JW06", 4, 0, 0, 0, 50000, 0, 0, 0},       {"JW07", 2, 100, 0, 25, 50000, 0, 0, 0},
    {"JBW2", 6, 0, 0, 0, 0, 0, 1, 2},           {"JBW3", 6, 0, 0, 0, 0, 0, 1, 3},
    {"JW10", 7, 0, 0, 0, 0, 0, 0, 0},           {"JG01", 2, 0, 0, 0, 0, 0, 0, 0},
    {"JG02", 2, 0, 0, 0, 0, 0, 0, 0},           {"JG03", 2, 0, 0, 0, 0, 0, 0, 0},
    {"JG04", 2, 0, 0, 0, 0, 0, 0, 0},           {"JG05", 6, 0, 0, 0, 0, 0, 0, 2},
    {"JG06", 2, 0, 0, 0, 0, 0, 0, 0},           {"JG07", 2, 0, 0, 0, 0, 0, 0, 0},
    {"JG08", 2, 0, 0, 0, 0, 0, 0, 0},           {"JG09", 2, 0, 0, 0, 0, 0, 0, 0},
    {"JG10", 2, 0, 0, 0, 0, 0, 0, 0},           {"JG11", 2, 0, 0, 0, 0, 0, 0, 0},
    {"JG12/JG13", 2, 0, 0, 0, 0, 0, 0, 0},      {"JG14", 2, 0, 0, 0, 0, 0, 0, 0},
    {"JG15", 2, 0, 0, 0, 0, 0, 0, 0},           {"JG16", 2, 0, 0, 0, 0, 0, 0, 0},
    {"FD01", 4, 0, 0, 0, 50000, 0, 0, 0},       {"FD02", 4, 0, 0, 0, 50000, 0, 0, 0},
    {"FD03", 6, 0, 0, 0, 0, 0, 0, 1},           {"FD04", 2, 0, 0, 0, 0, 0, 0, 0},
    {"FD05", 2, 0, 0, 0, 0, 0, 0, 0},           {"FD06", 2, 0, 0, 0, 0, 0, 0, 0},
    {"FD09", 2, 0, 0, 0, 0, 0, 0, 0},           {"FD10", 6, 0, 0, 0, 0, 0, 0, 2},
    {"FD-SHL", 7, 0, 0, 100, 0, 0, 0, 0},       {"FD-SHL-1", 2, 0, 0, 0, 0, 0, 0, 0},
    {"JQ07", 4, 110, 110, 15, 59000, 0, 0, 0},  {"JQ08", 4, 110, 110, 15, 59000, 0, 0, 0},
    {"JZ01", 4, 0, 0, 0, 55000, 0, 0, 0},       {"JZ04", 4, 0, 0, 0, 55000, 0, 0, 0},
    {"JZ05", 4, 0, 0, 0, 55000, 0, 0, 0},       {"JZ06", 7, 0, 0, 0, 0, 0, 0, 0},
    {"JZ07", 2, 0, 0, 0, 55000, 0, 0, 0},       {"JZB01", 6, 0, 0, 0, 0, 0, 1, 2},
    {"JZB02", 2, 0, 0, 0, 0, 0, 0, 0},          {"JZB03", 2, 0, 0, 0, 0, 0, 0, 0},
    {"JN02", 3, 218, 200, 110, 50000, 0, 0, 0}, {"JN03", 4, 110, 0, 20, 50000, 0, 0, 0},
    {"JN06", 2, 0, 0, 0, 50000, 0, 0, 0},       {"JN07", 2, 0, 0, 0, 50000, 0, 0, 0},
    {"JN99", 2, 0, 0, 0, 50000, 0, 0, 0},       {"JN17", 7, 0, 0, 0, 0, 0, 0, 0},
    {"JNB01", 6, 0, 0, 0, 0, 0, 1, 2},
};

TEST(CatalogueTables, ArticlesRowByRow) {
    const Catalogue& c = bareCatalogue();
    ASSERT_EQ(c.articles().size(), std::size(kArticleRows));
    for (size_t i = 0; i < std::size(kArticleRows); ++i) {
        const ArticleCase& e = kArticleRows[i];
        const Article& a = *c.articles()[i];
        SCOPED_TRACE(e.code);
        EXPECT_EQ(a.code, e.code);
        EXPECT_EQ(a.kind, e.kind);
        EXPECT_EQ(a.faceWidth, e.faceWidth);
        EXPECT_EQ(a.joinDeduction, e.joinDeduction);
        EXPECT_EQ(a.fillingInset, e.fillingInset);
        EXPECT_EQ(a.barLength1, e.barLength1);
        EXPECT_EQ(a.barLength2, 0);
        EXPECT_EQ(c.defaultOptions().barChoice(a), 1);
        EXPECT_EQ(a.imageId, 0);
        EXPECT_FALSE(a.name.empty());
        const auto* set = dynamic_cast<const RollerSet*>(&a);
        ASSERT_EQ(set != nullptr, e.kind == kKindRollerSet);
        if (set) {
            EXPECT_EQ(set->symmetry, e.symmetry);
            EXPECT_EQ(set->perWardrobe, e.perWardrobe);
            EXPECT_EQ(set->doorsPerSet, e.doorsPerSet);
        }
    }
    EXPECT_EQ(c.articles()[0]->name, "Направляющий Ш-образный профиль");
    EXPECT_EQ(c.articles()[7]->name, "Комплект роликов асимметричный 2ниж+2верх");
    EXPECT_EQ(c.articles()[39]->name, "Направляющий накладной Ш-обр. профиль ЖЦ 148");
    EXPECT_EQ(c.articles()[48]->name, "Муфта М5х10 с винтом М5х10");
    EXPECT_EQ(c.articles()[78]->name, "Комплект роликов");
}

TEST(CatalogueTables, ColoursSpotRows) {
    struct Case {
        int index;
        const char* name;
        int32_t imageId;
        int red, green, blue;
    };
    const Case cases[] = {
        {0, "Хром матовый", 147, 210, 210, 210},         {8, "Белый глянец", 155, 233, 234, 236},
        {20, "Дуб светлый глянец", 167, 210, 190, 163},  {29, "Береза структурная", 146, 226, 220, 207},
        {36, "Хром матовый (анод)", 147, 210, 210, 210}, {40, "Венге темный седой", 287, 31, 31, 31},
        {47, "Хром браш", 324, 134, 135, 139},           {53, "Софт тач серый", 331, 68, 67, 72},
        {56, "Черный зерно", 166, 30, 30, 30},           {57, "Черный матовый (анод)", 166, 30, 30, 30},
        {58, "Лиственница белая", 323, 230, 230, 209},
    };
    const Catalogue& c = bareCatalogue();
    for (const Case& e : cases) {
        const ProfileColor& color = *c.colors()[static_cast<size_t>(e.index)];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(color.code, e.name);
        EXPECT_TRUE(color.name.empty());
        EXPECT_EQ(color.imageId, e.imageId);
        EXPECT_EQ(color.red, e.red);
        EXPECT_EQ(color.green, e.green);
        EXPECT_EQ(color.blue, e.blue);
    }
    // Names are unique, so a lookup by name finds every colour.
    for (const ProfileColor* color : c.colors())
        EXPECT_EQ(c.findColor(color->code), color);
}

TEST(CatalogueTables, HandleColourListLengths) {
    struct Case {
        const char* code;
        size_t inStock, madeToOrder;
    };
    const Case cases[] = {
        {"JB01", 33, 10}, {"JB001", 14, 3}, {"JB11", 14, 1},  {"JB100", 4, 0}, {"JB120", 1, 0},
        {"JB130", 17, 0}, {"JB150", 2, 0},  {"JB200", 49, 8}, {"JB220", 4, 0}, {"JB300N", 33, 12},
        {"DX01", 4, 2},   {"DX02", 2, 1},   {"JL11", 6, 18},  {"JL12", 3, 0},  {"JL201", 19, 0},
        {"JL301", 17, 0}, {"JW03", 1, 4},   {"JS01", 1, 9},   {"JQ01", 14, 0}, {"JQ02", 12, 0},
        {"JZ02", 1, 0},   {"JN01", 1, 0},
    };
    const Catalogue& c = bareCatalogue();
    ASSERT_EQ(std::size(cases), c.handleProfiles().size());
    for (const Case& e : cases) {
        const HandleProfile* p = c.findHandleProfile(e.code);
        ASSERT_NE(p, nullptr) << e.code;
        const auto& list = p->colors();
        ASSERT_EQ(list.size(), e.inStock + e.madeToOrder) << e.code;
        // Stock colours first, then the made-to-order ones.
        for (size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i].madeToOrder, i >= e.inStock) << e.code << " entry " << i;
            EXPECT_NE(list[i].color, nullptr);
        }
    }
}

// Colour indexes of a handle profile's list, with the made-to-order flag as a sign: -1 - index.
std::vector<int> colourIndexes(const HandleProfile& p) {
    std::vector<int> out;
    for (const HandleColor& hc : p.colors())
        out.push_back(hc.madeToOrder ? -1 - hc.color->index : hc.color->index);
    return out;
}

TEST(CatalogueTables, HandleColourListsKeepRepeats) {
    const Catalogue& c = bareCatalogue();
    const auto count = [](const std::vector<int>& v, int x) { return std::count(v.begin(), v.end(), x); };
    const std::vector<int> jb200 = colourIndexes(*c.findHandleProfile("JB200"));
    EXPECT_EQ(count(jb200, 20), 1);
    EXPECT_EQ(count(jb200, -1 - 20), 1);
    const std::vector<int> jb300n = colourIndexes(*c.findHandleProfile("JB300N"));
    EXPECT_EQ(count(jb300n, 56), 2);
    for (int both : {15, 18, 25, 35, 44}) {
        EXPECT_EQ(count(jb300n, both), 1) << both;
        EXPECT_EQ(count(jb300n, -1 - both), 1) << both;
    }
    EXPECT_EQ(colourIndexes(*c.findHandleProfile("JB100")), (std::vector<int>{36, 37, 38, 39}));
    EXPECT_EQ(colourIndexes(*c.findHandleProfile("DX01")), (std::vector<int>{4, 20, 8, 24, -1, -7}));
    EXPECT_EQ(colourIndexes(*c.findHandleProfile("JW03")), (std::vector<int>{0, -35, -9, -5, -4}));
    EXPECT_EQ(colourIndexes(*c.findHandleProfile("JB001")),
              (std::vector<int>{8, 24, 36, 37, 38, 39, 29, 33, 34, 31, 30, 32, 42, 58, -5, -6, -22}));
    const std::vector<int> jb01 = colourIndexes(*c.findHandleProfile("JB01"));
    EXPECT_EQ(jb01.front(), 50);
    EXPECT_EQ(jb01[32], 58);
    EXPECT_EQ(jb01.back(), -1 - 16);
}

} // namespace
} // namespace dalvex
