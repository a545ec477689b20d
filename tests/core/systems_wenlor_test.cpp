// Wenlor: the whole bill of materials of a three-door project (the calculator is built from the factory, as
// the Catalogue does not offer the system).
#include "systems_test_support.h"

namespace dalvex {
namespace {

using namespace systems_test;

TEST(SystemsWenlor, WholeBillOfThreeDoorProject) {
    CatalogueFixture fx;
    Catalogue& cat = *fx.catalogue;
    auto wenlor = makeWenlor(cat);
    Fillings f;
    // Door height basis 2500 mm, opening 3000 mm, JW03 (face 220, join 200, inset 160, bar 5 m), rows 0 1 0.
    DoorSketch sketch = newSketch(*wenlor, fx.options, 30000, 25000, 3, cat.findHandleProfile("JW03"));
    const DividerProfile* jw05 = cat.findDividerProfile("JW05");
    standardLayout(sketch, jw05, jw05, f);
    CalcResult result;
    calculate(*wenlor, fx.options, sketch, result, nullptr);

    // Doors: (2 x 220 + 30000) / 3 = 10146 wide, 25000 + 300 = 25300 high; no top or bottom profiles (their
    // cut 10146 - 400 - 10 = 9736). Numbers: door 0 sides 1 2, divider 3; door 1 sides 4 5, dividers 6 7;
    // door 2 sides 8 9; profileCount 10, where the main-profile pieces continue.
    // Handle JW03 four pieces, back-door JW04 two, main JW02 six, each piece of 25300 alone in a 5 m bar.
    // Dividers JW05 (inset 140, cross 96): 10146 - 2 x 205 = 9736; vertical 25300; horizontal from the
    // vertical one 5146 + 70 - 96 - 5 - 200 = 4915.
    // Panels (insets 160 sides, half divider 70); glass 10 mm is a thickness error; mirrors:
    //   d0 i2: x 160 - 55, width 9826 + 110 = 9936, y 10070 - 50 (top divider), height 15230 - 25 = 15205
    //   d1 i2: width 4916 + 110 = 5026, y 0 + 25 (frame above), height 11930 - 25 + 100 = 12005
    // JW07: the bottom edge under d0 i2 and the top edge over d1 i2, 9736 each.
    // JW10: 2 x 15205 + 9936 (bottom free) + 2 x 12005 + 5026 (top free) = 69382.
    const std::string main = "Основной профиль";
    expectArticles(result.articleLines,
                   {
                       {"JW03", "Ручка профиль", 50000, 4, 0, "", 1},
                       {"JW04", "Профиль задней двери", 50000, 2, 0, "", 1},
                       {"JW02", main, 50000, 6, 0, "", 1},
                       {"JW07", "Рамочный профиль", 0, 19472, 0, "", 0},
                       {"JW05", "Разделительный профиль", 0, 39951, 0, "", 0},
                       {"JW01", "Ходовой профиль", 0, 30000, 0, "", 0},
                       {"JW06", "Направляющий профиль", 0, 30000, 0, "", 0},
                       {"JBW3", "Комплект роликов для трехдверного шкафа", 0, 1, 0, "", 1},
                       {"JW10", "Силиконовый уплотнитель", 0, 69382, 0, "", 0},
                   });
    expectCuts(result.cutLines, {
                                    {"1-1", "JW03", "Ручка профиль", "2530,0", "1", 0},
                                    {"1-2", "JW03", "Ручка профиль", "2530,0", "4", 1},
                                    {"1-3", "JW03", "Ручка профиль", "2530,0", "5", 1},
                                    {"1-4", "JW03", "Ручка профиль", "2530,0", "9", 2},
                                    {"2-1", "JW04", "Профиль задней двери", "2530,0", "2", 0},
                                    {"2-2", "JW04", "Профиль задней двери", "2530,0", "8", 2},
                                    {"3-1", "JW02", main, "2530,0", "10", 0},
                                    {"3-2", "JW02", main, "2530,0", "11", 0},
                                    {"3-3", "JW02", main, "2530,0", "12", 1},
                                    {"3-4", "JW02", main, "2530,0", "13", 1},
                                    {"3-5", "JW02", main, "2530,0", "14", 2},
                                    {"3-6", "JW02", main, "2530,0", "15", 2},
                                    {"4-1", "JW07", "Рамочный профиль", "973,6", "0", 0},
                                    {"4-2", "JW07", "Рамочный профиль", "973,6", "0", 1},
                                    {"5-1", "JW05", "Разделительный профиль", "973,6", "3", 0},
                                    {"5-2", "JW05", "Разделительный профиль", "2530,0", "6", 1},
                                    {"5-3", "JW05", "Разделительный профиль", "491,5", "7", 1},
                                    {"6-0", "JW01", "Ходовой профиль", "3000,0", "0", -1},
                                    {"7-0", "JW06", "Направляющий профиль", "3000,0", "0", -1},
                                    {"8-0", "JBW3", "Комплект роликов для трехдверного шкафа", "1", "0", -1},
                                    {"9-0", "JW10", "Силиконовый уплотнитель", "6938,2", "0", -1},
                                });
    // Areas: chipboard 0.993 x 0.9826 + 1.323 x 0.4916; mirror 1.5205 x 0.9936 + 1.2005 x 0.5026;
    // glass 2.53 x 0.477; without material 2.53 x 0.9826.
    expectMaterials(result.materialLines,
                    {
                        {"ДСП-16", "ДСП белое", 160, 1.6261086, 162611, ""},
                        {"ЗЕР-4", "Зеркало серебро", 40, 2.1141401, 422829, ""},
                        {"СТ-10", "Стекло 10 мм", 100, 1.20681, 300000,
                         "ОШИБКА: Не подходящий по толщине (10,00) материал."},
                        {"ВНИМАНИЕ", "ОТДЕЛОЧНЫЙ МАТЕРИАЛ НЕ УКАЗАН", 0, 2.485978, 0, ""},
                    });
    expectPanels(result.panelLines, {
                                        {"1-1", "ДСП-16", "ДСП белое", "993", "983", "1", 0},
                                        {"1-2", "ДСП-16", "ДСП белое", "1323", "492", "5", 1},
                                        {"2-1", "ЗЕР-4", "Зеркало серебро", "1521", "994", "2", 0},
                                        {"2-2", "ЗЕР-4", "Зеркало серебро", "1201", "503", "4", 1},
                                        {"3-1", "СТ-10", "Стекло 10 мм", "2530", "477", "3", 1},
                                    });
}

} // namespace
} // namespace dalvex
