// Gerlit: the whole bill of materials of a three-door project, and the fixings and corners by running and
// guide profile.
#include "systems_test_support.h"

namespace dalvex {
namespace {

using namespace systems_test;

TEST(SystemsGerlit, WholeBillOfThreeDoorProject) {
    CatalogueFixture fx;
    const DSSystem& gerlit = fx.system("Герлит");
    Fillings f;
    // Opening 3000 x 2500 mm, JG01 running in the JG04 guide, no handle profile, rows 0 1 0.
    DoorSketch sketch = newSketch(gerlit, fx.options, 30000, 25000, 3, nullptr);
    sketch.doors[0].inserts[1].material = &f.chipboard;
    sketch.doors[1].inserts[1].material = &f.mirror;
    sketch.doors[2].inserts[1].material = &f.glass;
    CalcResult result;
    calculate(gerlit, fx.options, sketch, result, nullptr);

    // Doors: (30000 + 2 x 50) / 3 = 10033 wide, 25000 - 160 = 24840 high; no frame, panels fill the doors:
    // the mirror loses 1 mm and 1.5 mm more at each free side (25, 9998 wide), the 10 mm glass 1 mm a side.
    // The guide runs twice the opening with JG01. Rollers JG05, two per door: 6. Fixings: 2N screws,
    // N - 1 stoppers, one left and one right catch, N - 2 middle catches; connectors 2N + 1 and 4N; no
    // corners with JG04.
    const std::vector<std::pair<const char*, const char*>> counted = {
        {"JG05", "Ходовой ролик"},
        {"JG16", "Направляющая деталь ЖЦ 147"},
        {"JG06", "Фиксирующий винт М4х14"},
        {"JG07", "Стопор с амортизатором"},
        {"JG08", "Фиксатор левый"},
        {"JG09", "Фиксатор правый"},
        {"JG10", "Фиксатор средний"},
        {"JG11", "Стяжка для крепления ходового профиля М14х15"},
        {"JG12/JG13", "Муфта М5х10 с винтом М5х10"},
    };
    const int32_t counts[] = {6, 6, 6, 2, 1, 1, 1, 7, 12};
    std::vector<ArticleLine> articles = {
        {"JG01", "Ходовой металлический двуполозной профиль", 0, 30000, 0, "", 0},
        {"JG04", "Направляющий врезной П-обр. профиль ЖЦ 147", 0, 60000, 0, "", 0},
    };
    std::vector<CutLine> cuts = {
        {"1-0", "JG01", "Ходовой металлический двуполозной профиль", "3000,0", "0", -1},
        {"2-0", "JG04", "Направляющий врезной П-обр. профиль ЖЦ 147", "6000,0", "0", -1},
    };
    for (size_t i = 0; i < counted.size(); ++i) {
        articles.push_back({counted[i].first, counted[i].second, 0, counts[i], 0, "", 1});
        cuts.push_back({std::to_string(i + 3) + "-0", counted[i].first, counted[i].second,
                        std::to_string(counts[i]), "0", -1});
    }
    expectArticles(result.articleLines, articles);
    expectCuts(result.cutLines, cuts);
    // Areas 2.484 x 1.0033, 2.484 x 0.9998 and 2.484 x 1.0013; amounts rounded up.
    expectMaterials(result.materialLines, {
                                              {"ДСП-16", "ДСП белое", 160, 2.4921972, 249220, ""},
                                              {"ЗЕР-4", "Зеркало серебро", 40, 2.4835032, 496701, ""},
                                              {"СТ-10", "Стекло 10 мм", 100, 2.4872292, 746169, ""},
                                          });
    expectPanels(result.panelLines, {
                                        {"1-1", "ДСП-16", "ДСП белое", "2484", "1003", "1", 0},
                                        {"2-1", "ЗЕР-4", "Зеркало серебро", "2484", "1000", "2", 1},
                                        {"3-1", "СТ-10", "Стекло 10 мм", "2484", "1001", "3", 2},
                                    });
}

int32_t quantityOf(const CalcResult& result, std::string_view code) {
    for (const ArticleLine& line : result.articleLines)
        if (line.code == code) return line.quantity;
    return -1; // no line
}

TEST(SystemsGerlit, RailsFixingsAndCornersByProfiles) {
    CatalogueFixture fx;
    const auto& gerlit = dynamic_cast<const DSSystemGerlit&>(fx.system("Герлит"));
    const Catalogue& cat = *fx.catalogue;
    const struct {
        const char* running;
        const char* guide;
        int32_t doors;
        int32_t guideLength;
        int32_t stoppers; // JG07; -1 no line
        int32_t middle;   // JG10; -1 no line
        int32_t front;    // JG14; -1 no line
        int32_t back;     // JG15; -1 no line
    } cases[] = {
        // JG02 runs in a guide of the opening's width, without stoppers; JG04 takes no corners.
        {"JG02", "JG04", 3, 30000, -1, 1, -1, -1},
        // One door on JG01: a stopper line of 0, no middle catch.
        {"JG01", "JG04", 1, 60000, 0, -1, -1, -1},
        // The surface guide JG03 takes corners: 2 x floor(N / 2) front and 2 x ceil(N / 2) back.
        {"JG01", "JG03", 3, 60000, 2, 1, 2, 4},
        {"JG01", "JG03", 1, 60000, 0, -1, -1, 2},
        {"JG01", "JG03", 4, 60000, 3, 2, 4, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.running) + " " + c.guide + " doors " + std::to_string(c.doors));
        gerlit.own(fx.options).runningProfile = cat.findArticle(c.running);
        gerlit.own(fx.options).guideProfile = cat.findArticle(c.guide);
        DoorSketch sketch = newSketch(gerlit, fx.options, 30000, 25000, c.doors, nullptr);
        CalcResult result;
        calculate(gerlit, fx.options, sketch, result, nullptr);
        EXPECT_EQ(quantityOf(result, c.running), 30000);
        EXPECT_EQ(quantityOf(result, c.guide), c.guideLength);
        EXPECT_EQ(quantityOf(result, "JG07"), c.stoppers);
        EXPECT_EQ(quantityOf(result, "JG10"), c.middle);
        EXPECT_EQ(quantityOf(result, "JG14"), c.front);
        EXPECT_EQ(quantityOf(result, "JG15"), c.back);
        EXPECT_EQ(quantityOf(result, "JG11"), 2 * c.doors + 1);
        EXPECT_EQ(quantityOf(result, "JG12/JG13"), 4 * c.doors);
    }
}

} // namespace
} // namespace dalvex
