// Zerkan: the whole bill of materials of a three-door project, unpriced and priced, and the plastic insert of
// its dividers.
#include "systems_test_support.h"

namespace dalvex {
namespace {

using namespace systems_test;

const char* const kFrame = "Основной профиль";
const char* const kDivider = "Делитель Т-образный (алюминий)";
const char* const kPlastic = "Делитель (пластик)";

// Opening 3000 mm, door height basis 2500 mm, JZ02 on all four sides (face 140, join 140, inset 12, bar 5.5
// m), rows 0 1 0, the standard layout with JZ03 dividers.
struct ZerkanProject {
    CatalogueFixture fx;
    Fillings f;
    DoorSketch sketch;
    CalcResult result;

    explicit ZerkanProject(std::string_view priceList = {})
        : fx(priceList), sketch(newSketch(fx.system("Зеркан"), fx.options, 30000, 25000, 3,
                                          fx.catalogue->findHandleProfile("JZ02"))) {
        const DividerProfile* jz03 = fx.catalogue->findDividerProfile("JZ03");
        standardLayout(sketch, jz03, jz03, f);
        calculate(fx.system("Зеркан"), fx.options, sketch, result,
                  fx.catalogue->findColor("Хром матовый (анод)"));
    }
};

// Doors: (30000 - 40 + 2 x 140) / 3 = 10080 wide, 25000 high, top and bottom cut to the door width.
// Frame pieces in key order: six of 25000, then top and bottom of each door, six of 10080; next-fit in 5.5 m
// bars: 25000 + 25000 three times, then 10080 x 5 (50400) and the last 10080 alone: 5 bars.
// Dividers JZ03 (inset 40, cross 60): 10080 - 2 x 140 = 9800; vertical 25000 - 2 x 140 = 24720; horizontal
// from the vertical one 5080 + 20 - 60 - 140 = 4900. Plastic inserts: 9800 - 2 x 570 = 8660,
// 24720 - 1140 = 23580, 4900 - 40 - 570 = 4290.
// Numbers: door 0 sides 1-4, divider 5; door 1 sides 6-9, dividers 10 11; door 2 sides 12-15.
// Panels (insets 12, half divider 20, both ends always held; 10 mm loses 0.5 mm and 4 mm 1.5 mm all round;
// chipboard is a thickness error):
//   d0 i1 chipboard 10056 x 9968; d0 i2 mirror 10026 x 14938
//   d1 i1 glass 10: 4958 x 24966; d1 i2 mirror 5018 x 11938; d1 i3 chipboard 5048 x 12968
//   d2 i1 none 10056 x 24976
// JZ06 round the mirrors: 2 x (10026 + 14938) + 2 x (5018 + 11938) = 83840.
TEST(SystemsZerkan, WholeBillOfThreeDoorProject) {
    ZerkanProject p;
    expectArticles(p.result.articleLines, {
                                              {"JZ02", kFrame, 55000, 5, 0, "", 1},
                                              {"JZ03", kDivider, 0, 39420, 0, "", 0},
                                              {"JZ04", kPlastic, 0, 36530, 0, "", 0},
                                              {"JZ01", "Ходовой профиль", 0, 29968, 0, "", 0},
                                              {"JZ05", "Направляющий профиль нижний", 0, 29968, 0, "", 0},
                                              {"JZ07", "Добор", 0, 50000, 0, "", 0},
                                              {"JZB01", "Комплект роликов", 0, 2, 0, "", 1},
                                              {"JZB03", "Комплект фурнитуры", 0, 2, 0, "", 1},
                                              {"JZ06", "Уплотнитель (силикон)", 0, 83840, 0, "", 0},
                                          });
    expectCuts(p.result.cutLines, {
                                      {"1-1", "JZ02", kFrame, "2500,0", "1", 0},
                                      {"1-2", "JZ02", kFrame, "2500,0", "3", 0},
                                      {"1-3", "JZ02", kFrame, "1008,0", "2", 0},
                                      {"1-4", "JZ02", kFrame, "1008,0", "4", 0},
                                      {"1-5", "JZ02", kFrame, "2500,0", "6", 1},
                                      {"1-6", "JZ02", kFrame, "2500,0", "8", 1},
                                      {"1-7", "JZ02", kFrame, "1008,0", "7", 1},
                                      {"1-8", "JZ02", kFrame, "1008,0", "9", 1},
                                      {"1-9", "JZ02", kFrame, "2500,0", "12", 2},
                                      {"1-10", "JZ02", kFrame, "2500,0", "14", 2},
                                      {"1-11", "JZ02", kFrame, "1008,0", "13", 2},
                                      {"1-12", "JZ02", kFrame, "1008,0", "15", 2},
                                      {"2-1", "JZ03", kDivider, "980,0", "5", 0},
                                      {"2-2", "JZ03", kDivider, "2472,0", "10", 1},
                                      {"2-3", "JZ03", kDivider, "490,0", "11", 1},
                                      {"3-1", "JZ04", kPlastic, "866,0", "5", 0},
                                      {"3-2", "JZ04", kPlastic, "2358,0", "10", 1},
                                      {"3-3", "JZ04", kPlastic, "429,0", "11", 1},
                                      {"4-0", "JZ01", "Ходовой профиль", "2996,8", "0", -1},
                                      {"5-0", "JZ05", "Направляющий профиль нижний", "2996,8", "0", -1},
                                      {"6-0", "JZ07", "Добор", "5000,0", "0", -1},
                                      {"7-0", "JZB01", "Комплект роликов", "2", "0", -1},
                                      {"8-0", "JZ06", "Уплотнитель (силикон)", "8384,0", "0", -1},
                                  });
    expectMaterials(p.result.materialLines,
                    {
                        {"ДСП-16", "ДСП белое", 160, 1.65700672, 100000,
                         "ОШИБКА: Не подходящий по толщине (16,00) материал."},
                        {"ЗЕР-4", "Зеркало серебро", 40, 2.09673272, 419347, ""},
                        {"СТ-10", "Стекло 10 мм", 100, 1.23781428, 371345, ""},
                        {"ВНИМАНИЕ", "ОТДЕЛОЧНЫЙ МАТЕРИАЛ НЕ УКАЗАН", 0, 2.51158656, 0, ""},
                    });
    expectPanels(p.result.panelLines, {
                                          {"1-1", "ДСП-16", "ДСП белое", "997", "1006", "1", 0},
                                          {"1-2", "ДСП-16", "ДСП белое", "1297", "505", "5", 1},
                                          {"2-1", "ЗЕР-4", "Зеркало серебро", "1494", "1003", "2", 0},
                                          {"2-2", "ЗЕР-4", "Зеркало серебро", "1194", "502", "4", 1},
                                          {"3-1", "СТ-10", "Стекло 10 мм", "2497", "496", "3", 1},
                                      });
}

// The same project priced. The colour is "премиум" in Zerkan; JZ02 and JZ07 have a premium price, the seal
// has one too but is priced without colour; JZ01 falls back to its standard price.
//   JZ02 5 x trunc(130 roubles x 5.5 m) = 5 x 71500; JZ03 trunc(8000 x 3.942) = 31536;
//   JZ04 trunc(1550 x 3.653) = 5662 (5662.15); JZ01 20000 x 2.9968 = 59936; JZ05 15000 x 2.9968 = 44952;
//   JZ07 9000 x 5.0 = 45000; JZB01 2 x 100050; JZB03 2 x 30000; JZ06 2500 x 8.384 = 20960.
TEST(SystemsZerkan, PricedBillUsesColourWhereTheRulesSay) {
    TempFolder folder;
    folder.write("profiles/price.csv",
                 "код;коллекция;цена\n"
                 "JZ02;;120\nJZ02;премиум;130\nJZ03;;80\nJZ04;;15,5\nJZ01;;200\nJZ05;;150\n"
                 "JZ07;;60\nJZ07;премиум;90\nJZB01;;1000.50\nJZB03;;300\nJZ06;;25\nJZ06;премиум;99\n");
    folder.write("profiles/colors_price.csv", "цвет;ЗЕРКАН\nХром матовый (анод);премиум\n");
    Catalogue cat(folder.path());
    const DSSystem& zerkan = *cat.findSystem("Зеркан");
    OrderOptions options = cat.defaultOptions();
    Fillings f;
    DoorSketch sketch = newSketch(zerkan, options, 30000, 25000, 3, cat.findHandleProfile("JZ02"));
    standardLayout(sketch, cat.findDividerProfile("JZ03"), cat.findDividerProfile("JZ03"), f);
    CalcResult result;
    calculate(zerkan, options, sketch, result, cat.findColor("Хром матовый (анод)"));
    expectArticles(result.articleLines, {
                                            {"JZ02", kFrame, 55000, 5, 357500, "", 1},
                                            {"JZ03", kDivider, 0, 39420, 31536, "", 0},
                                            {"JZ04", kPlastic, 0, 36530, 5662, "", 0},
                                            {"JZ01", "Ходовой профиль", 0, 29968, 59936, "", 0},
                                            {"JZ05", "Направляющий профиль нижний", 0, 29968, 44952, "", 0},
                                            {"JZ07", "Добор", 0, 50000, 45000, "", 0},
                                            {"JZB01", "Комплект роликов", 0, 2, 200100, "", 1},
                                            {"JZB03", "Комплект фурнитуры", 0, 2, 60000, "", 1},
                                            {"JZ06", "Уплотнитель (силикон)", 0, 83840, 20960, "", 0},
                                        });
    // The chipboard's thickness error blocks the total.
    result.computeItemsTotal();
    EXPECT_EQ(result.itemsTotal, 0);
}

// The plastic insert stops 4 mm short of a divider and 57 mm short of the frame at each end; a negative
// length is cut as 0 and flags the line.
TEST(SystemsZerkan, PlasticInsertOfShortDividers) {
    CatalogueFixture fx;
    const DSSystem& zerkan = fx.system("Зеркан");
    const DividerProfile* jz03 = fx.catalogue->findDividerProfile("JZ03");
    DoorSketch sketch =
        newSketch(zerkan, fx.options, 30000, 25000, 1, fx.catalogue->findHandleProfile("JZ02"));
    Door& door = sketch.doors[0];
    // Two vertical dividers and a horizontal one between them.
    split(door, 10000, 100, jz03, true);
    split(door, 20000, 100, jz03, true);
    split(door, 15000, 12000, jz03, false);
    zerkan.recompute(sketch, fx.options, true);
    sketch.numberItems();
    // Force the cut lengths of the edge case: 1000 between the frame sides, 1000 between two dividers.
    door.dividers[1].cutLength = 1000;
    door.dividers[3].cutLength = 1000;
    CalcResult result;
    zerkan.collect(sketch, fx.options, result, nullptr);
    ASSERT_GE(result.articleLines.size(), 3u);
    const ArticleLine& plastic = result.articleLines[2];
    EXPECT_EQ(plastic.code, "JZ04");
    // 0 for the first, 24720 - 1140 = 23580 for the second, 1000 - 80 = 920 for the third.
    EXPECT_EQ(plastic.quantity, 0 + 23580 + 920);
    EXPECT_EQ(plastic.error, "ОШИБКА: Некторые отрезки разделителей слишком короткие.");
    std::vector<std::string> lengths;
    for (const CutLine& c : result.cutLines)
        if (c.code == "JZ04") lengths.push_back(c.length);
    EXPECT_EQ(lengths, (std::vector<std::string>{"0,0", "2358,0", "92,0"}));
}

TEST(SystemsZerkan, RollerAndFittingSetsServeTwoDoorsEach) {
    CatalogueFixture fx;
    const DSSystem& zerkan = fx.system("Зеркан");
    for (int doors : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE(doors);
        DoorSketch sketch =
            newSketch(zerkan, fx.options, 30000, 25000, doors, fx.catalogue->findHandleProfile("JZ02"));
        CalcResult result;
        calculate(zerkan, fx.options, sketch, result, nullptr);
        int32_t rollers = -1, fittings = -1;
        for (const ArticleLine& line : result.articleLines) {
            if (line.code == "JZB01") rollers = line.quantity;
            if (line.code == "JZB03") fittings = line.quantity;
        }
        EXPECT_EQ(rollers, (doors + 1) / 2);
        EXPECT_EQ(fittings, (doors + 1) / 2);
    }
}

} // namespace
} // namespace dalvex
