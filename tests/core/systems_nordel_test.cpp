// Nordel: the whole bill of materials of a three-door project.
#include "systems_test_support.h"

namespace dalvex {
namespace {

using namespace systems_test;

TEST(SystemsNordel, WholeBillOfThreeDoorProject) {
    CatalogueFixture fx;
    const DSSystem& nordel = fx.system("Нордел");
    const Catalogue& cat = *fx.catalogue;
    Fillings f;
    // Door height basis 2500 mm, opening 3000 mm, JN01 (face 218, join 200, inset 110, bar 5 m), rows 0 1 0.
    DoorSketch sketch = newSketch(nordel, fx.options, 30000, 25000, 3, cat.findHandleProfile("JN01"));
    const DividerProfile* jn09 = cat.findDividerProfile("JN09");
    standardLayout(sketch, jn09, jn09, f);
    CalcResult result;
    calculate(nordel, fx.options, sketch, result, cat.findColor("Хром матовый (анод)"));

    // Doors: (30000 - 20 + 2 x 220) / 3 = 10140 wide, 25000 high; top and bottom JN03 (face 110, inset 20)
    // cut 10140 - 400 = 9740 but billed by no step. Numbers: door 0 sides 1-4, divider 5; door 1 sides 6-9,
    // dividers 10 11; door 2 sides 12-15.
    // Handle JN01: four pieces of 25000, two per 5 m bar; back-door JN02: two pieces filling one bar exactly.
    // Dividers JN09 (inset 20, cross 60): 10140 - 400 = 9740; vertical 25000 - 110 - 110 = 24780; horizontal
    // from the vertical one 5140 + 10 - 60 - 200 = 4890.
    // Panels (insets 110 sides, 20 top and bottom, half divider 10; mirrors lose 1 mm all round; chipboard is
    // a thickness error):
    //   d0 i1 chipboard 9920 x 9970; d0 i2 mirror 9900 x 14950
    //   d1 i1 glass 10: 4880 x 24960; d1 i2 mirror 5000 x 11950; d1 i3 chipboard 5020 x 12970
    //   d2 i1 none 9920 x 24960
    // JN17 round the mirrors: 2 x (9900 + 14950) + 2 x (5000 + 11950) = 83600.
    expectArticles(result.articleLines, {
                                            {"JN01", "Профиль ручка", 50000, 2, 0, "", 1},
                                            {"JN02", "Ручка задней двери", 50000, 1, 0, "", 1},
                                            {"JN09", "Разделитель", 0, 39410, 0, "", 0},
                                            {"JZ01", "Ходовой профиль", 0, 29968, 0, "", 0},
                                            {"JZ05", "Направляющий профиль нижний", 0, 29968, 0, "", 0},
                                            {"JN06", "Добор малый", 0, 25000, 0, "", 0},
                                            {"JN07", "Добор большой", 0, 25000, 0, "", 0},
                                            {"JNB01", "Комплект роликов", 0, 2, 0, "", 1},
                                            {"JN17", "Уплотнитель", 0, 83600, 0, "", 0},
                                        });
    expectCuts(result.cutLines, {
                                    {"1-1", "JN01", "Профиль ручка", "2500,0", "1", 0},
                                    {"1-2", "JN01", "Профиль ручка", "2500,0", "6", 1},
                                    {"1-3", "JN01", "Профиль ручка", "2500,0", "8", 1},
                                    {"1-4", "JN01", "Профиль ручка", "2500,0", "14", 2},
                                    {"2-1", "JN02", "Ручка задней двери", "2500,0", "3", 0},
                                    {"2-2", "JN02", "Ручка задней двери", "2500,0", "12", 2},
                                    {"3-1", "JN09", "Разделитель", "974,0", "5", 0},
                                    {"3-2", "JN09", "Разделитель", "2478,0", "10", 1},
                                    {"3-3", "JN09", "Разделитель", "489,0", "11", 1},
                                    {"4-0", "JZ01", "Ходовой профиль", "2996,8", "0", -1},
                                    {"5-0", "JZ05", "Направляющий профиль нижний", "2996,8", "0", -1},
                                    {"6-0", "JN06", "Добор малый", "2500,0", "0", -1},
                                    {"7-0", "JN07", "Добор большой", "2500,0", "0", -1},
                                    {"8-0", "JNB01", "Комплект роликов", "2", "0", -1},
                                    {"9-0", "JN17", "Уплотнитель", "8360,0", "0", -1},
                                });
    expectMaterials(result.materialLines,
                    {
                        {"ДСП-16", "ДСП белое", 160, 1.640118, 100000,
                         "ОШИБКА: Не подходящий по толщине (16,00) материал."},
                        {"ЗЕР-4", "Зеркало серебро", 40, 2.07755, 415510, ""},
                        {"СТ-10", "Стекло 10 мм", 100, 1.218048, 365415, ""},
                        {"ВНИМАНИЕ", "ОТДЕЛОЧНЫЙ МАТЕРИАЛ НЕ УКАЗАН", 0, 2.476032, 0, ""},
                    });
    expectPanels(result.panelLines, {
                                        {"1-1", "ДСП-16", "ДСП белое", "997", "992", "1", 0},
                                        {"1-2", "ДСП-16", "ДСП белое", "1297", "502", "5", 1},
                                        {"2-1", "ЗЕР-4", "Зеркало серебро", "1495", "990", "2", 0},
                                        {"2-2", "ЗЕР-4", "Зеркало серебро", "1195", "500", "4", 1},
                                        {"3-1", "СТ-10", "Стекло 10 мм", "2496", "488", "3", 1},
                                    });
}

} // namespace
} // namespace dalvex
