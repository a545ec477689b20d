// Feldor: the whole bill of materials of a two-door project mounted inside, and the rails and pile strip of
// both mounting modes.
#include "systems_test_support.h"

namespace dalvex {
namespace {

using namespace systems_test;

TEST(SystemsFeldor, WholeBillOfTwoDoorsMountedInside) {
    CatalogueFixture fx;
    const DSSystem& feldor = fx.system("Фелдор");
    const Catalogue& cat = *fx.catalogue;
    Fillings f;
    // Opening 3000 x 2500 mm, mounted inside, JB100 (face 360, join 346, inset 270, bar 5.5 m), rows 0 1.
    DoorSketch sketch = newSketch(feldor, fx.options, 30000, 25000, 2, cat.findHandleProfile("JB100"));
    const DividerProfile* jb09 = cat.findDividerProfile("JB09");
    standardLayout(sketch, jb09, jb09, f);
    CalcResult result;
    calculate(feldor, fx.options, sketch, result, cat.findColor("Хром матовый (анод)"));

    // Doors: 360 / 2 - 50 + 30000 / 2 = 15130 wide, 25000 - 620 = 24380 high. Top JB08 (inset 120) and
    // bottom JB07 (inset 470) cut 15130 - 2 x 346 + 10 = 14448. Numbers: door 0 sides 1-4, divider 5;
    // door 1 sides 6-9, dividers 10 11.
    // Dividers JB09 only lose the join at a frame end, less 0.5 mm: 15130 - 2 x 341 = 14448; the vertical one
    // 24380; the horizontal from the vertical one 10130 - 341 = 9789.
    // Handles: four pieces of 24380, two per 5.5 m bar. Pile strip of JB100: 24380 x 2 x 2 = 97520.
    // Rails inside with two doors: FD01 twice the opening, FD02 once.
    // Panels (insets 270 sides, 120 top, 470 bottom, half divider 37; mirrors lose 1 mm all round; chipboard
    // is a thickness error):
    //   d0 i1 chipboard 14590 x 9843; d0 i2 mirror 14570 x 13853
    //   d1 i1 glass 10: 4693 x 23790; d1 i2 mirror 9803 x 11823; d1 i3 chipboard 9823 x 11873
    // Seal JB17 round the mirrors: 2 x (14570 + 13853) + 2 x (9803 + 11823) = 100098, last, without cut line.
    const std::string handle = "Вертикальный симетричный профиль";
    const std::string bar = handle + " 5,5 м.";
    const std::string bottom = "Горизонтальный нижний профиль";
    const std::string top = "Горизонтальный верхний профиль";
    const std::string divider = "Горизонтальный межсекционный профиль";
    expectArticles(result.articleLines, {
                                            {"JB100", handle, 55000, 2, 0, "", 1},
                                            {"JB07", bottom, 0, 28896, 0, "", 0},
                                            {"JB08", top, 0, 28896, 0, "", 0},
                                            {"JB09", divider, 0, 48617, 0, "", 0},
                                            {"FD01", "Верхний ходовой профиль", 0, 60000, 0, "", 0},
                                            {"FD02", "Профиль - декоративная накладка", 0, 30000, 0, "", 0},
                                            {"FD-SHL", "Шлегель", 0, 97520, 0, "", 0},
                                            {"FD03", "Комплект роликов на дверь", 0, 2, 0, "", 1},
                                            {"JB17", "Силиконовый уплотнитель", 0, 100098, 0, "", 0},
                                        });
    expectCuts(result.cutLines, {
                                    {"1-1", "JB100", bar, "2438,0", "1", 0},
                                    {"1-2", "JB100", bar, "2438,0", "3", 0},
                                    {"1-3", "JB100", bar, "2438,0", "6", 1},
                                    {"1-4", "JB100", bar, "2438,0", "8", 1},
                                    {"2-1", "JB07", bottom, "1444,8", "4", 0},
                                    {"2-2", "JB07", bottom, "1444,8", "9", 1},
                                    {"3-1", "JB08", top, "1444,8", "2", 0},
                                    {"3-2", "JB08", top, "1444,8", "7", 1},
                                    {"4-1", "JB09", divider, "1444,8", "5", 0},
                                    {"4-2", "JB09", divider, "2438,0", "10", 1},
                                    {"4-3", "JB09", divider, "978,9", "11", 1},
                                    {"5-0", "FD01", "Верхний ходовой профиль", "6000,0", "0", -1},
                                    {"6-0", "FD02", "Профиль - декоративная накладка", "3000,0", "0", -1},
                                    {"7-0", "FD-SHL", "Шлегель", "9752,0", "0", -1},
                                    {"8-0", "FD03", "Комплект роликов на дверь", "2", "0", -1},
                                });
    expectMaterials(result.materialLines, {
                                              {"ДСП-16", "ДСП белое", 160, 2.60237849, 100000,
                                               "ОШИБКА: Не подходящий по толщине (16,00) материал."},
                                              {"ЗЕР-4", "Зеркало серебро", 40, 3.17739079, 635479, ""},
                                              {"СТ-10", "Стекло 10 мм", 100, 1.1164647, 334940, ""},
                                          });
    // The seal systems give panel sizes in millimetres with one decimal.
    expectPanels(result.panelLines, {
                                        {"1-1", "ДСП-16", "ДСП белое", "984,3", "1459,0", "1", 0},
                                        {"1-2", "ДСП-16", "ДСП белое", "1187,3", "982,3", "5", 1},
                                        {"2-1", "ЗЕР-4", "Зеркало серебро", "1385,3", "1457,0", "2", 0},
                                        {"2-2", "ЗЕР-4", "Зеркало серебро", "1182,3", "980,3", "4", 1},
                                        {"3-1", "СТ-10", "Стекло 10 мм", "2379,0", "469,3", "3", 1},
                                    });
}

const ArticleLine* findLine(const CalcResult& result, std::string_view code) {
    for (const ArticleLine& line : result.articleLines)
        if (line.code == code) return &line;
    return nullptr;
}

TEST(SystemsFeldor, RailsAndPileStripByMountingAndHandle) {
    CatalogueFixture fx;
    const auto& feldor = dynamic_cast<const DSSystemFeldor&>(fx.system("Фелдор"));
    const Catalogue& cat = *fx.catalogue;
    const struct {
        int32_t mountInside;
        int32_t doors;
        const char* handle;
        int32_t doorWidth; // set by hand after the geometry; 0 keeps the computed width
        int32_t opening;
        int32_t running; // FD01
        int32_t cover;   // FD02
        bool pile;
    } cases[] = {
        // In front of the opening both rails run opening + 100 + the door widths: 29000 + 100 + 30000.
        {0, 2, "JB300N", 15000, 29000, 59100, 59100, false},
        // Inside with four doors: FD01 twice the opening, FD02 once; with one door both once.
        {1, 4, "JB300N", 0, 30000, 60000, 30000, false},
        {1, 1, "JB100", 0, 30000, 30000, 30000, true},
        {1, 3, "JB100", 0, 30000, 30000, 30000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.handle) + " doors " + std::to_string(c.doors));
        feldor.own(fx.options).mountInside = c.mountInside;
        DoorSketch sketch =
            newSketch(feldor, fx.options, c.opening, 25000, c.doors, cat.findHandleProfile(c.handle));
        if (c.doorWidth > 0)
            for (int k = 0; k < c.doors; ++k)
                sketch.doors[k].width = c.doorWidth;
        sketch.numberItems();
        CalcResult result;
        feldor.collect(sketch, fx.options, result, nullptr);
        ASSERT_NE(findLine(result, "FD01"), nullptr);
        EXPECT_EQ(findLine(result, "FD01")->quantity, c.running);
        EXPECT_EQ(findLine(result, "FD02")->quantity, c.cover);
        const ArticleLine* pile = findLine(result, "FD-SHL");
        EXPECT_EQ(pile != nullptr, c.pile);
        // The pile strip runs along both edges of every door.
        if (pile != nullptr) {
            EXPECT_EQ(pile->quantity, sketch.doors[0].frame[kFrameLeft].cutLength * c.doors * 2);
        }
        EXPECT_EQ(findLine(result, "FD03")->quantity, c.doors);
    }
}

} // namespace
} // namespace dalvex
