// Lantes: the whole bill of materials of a three-door project, and the strips for 10 mm and 4 mm fillings.
#include "systems_test_support.h"

namespace dalvex {
namespace {

using namespace systems_test;

const char* const kHandle = "Вертикальный ассиметричный профиль";

TEST(SystemsLantes, WholeBillOfThreeDoorProject) {
    CatalogueFixture fx;
    const DSSystem& lantes = fx.system("Лантес");
    const Catalogue& cat = *fx.catalogue;
    Fillings f;
    // Opening 3000 x 2500 mm, JL11 (face 256, join 155, inset 30, bars 4.8/5.5 m), three doors in rows 0 1 0.
    DoorSketch sketch = newSketch(lantes, fx.options, 30000, 25000, 3, cat.findHandleProfile("JL11"));
    standardLayout(sketch, cat.findDividerProfile("DX08"), cat.findDividerProfile("DX13"), f);
    CalcResult result;
    calculate(lantes, fx.options, sketch, result, cat.findColor("Хром матовый"));

    // Doors: width (2 x 256 + 30000) / 3 = 10170, height 25000 - 330 = 24670. Bottom JL14 cut
    // 10170 - 2 x 155 - 10 = 9850; no top profile. Numbers: door 0 sides 1 2 3, divider 4; door 1 sides
    // 5 6 7, dividers 8 9; door 2 sides 10 11 12.
    // Dividers: door 0 horizontal DX08 10170 + 2 x (5 - 155) = 9870; door 1 vertical DX13 24670 - 0 - 470
    // (JL14 face) = 24200, its horizontal DX13 from the vertical one: 5170 + 14 / 2 - 63 + 5 - 155 = 4964.
    // Handles (plain): six pieces of 24670 in 4.8 m bars, one bar each. Brush 24670 x 3 x 2 = 148020.
    // Panels (frame insets 30 left and right, 0 top, 410 bottom; half divider inset 7), after the thin rules:
    //   d0 i1 chipboard: 30, 0, 10110 x 9993
    //   d0 i2 mirror: 10110 - 20 - 15 wide at x 55, both ends held: 14253 - 20 = 14233 high
    //   d1 i1 glass 10: 40, 4963 - 20 = 4943 wide; top not held: 24260 high
    //   d1 i2 mirror: 5007 + 10 = 5017, 5133 - 20 - 15 = 5098 wide; top not held: 11993 high
    //   d1 i3 chipboard: 5133 x 12253
    //   d2 i1 none: 10110 x 24260
    // JL15: 2 x (24260 + 4943) = 58406; DX11: 14233 x 2 (d0 i2 both sides free) + 11993 (d1 i2 right) =
    // 40459.
    expectArticles(result.articleLines, {
                                            {"JL11", kHandle, 48000, 6, 0, "", 1},
                                            {"JL14", "Горизонтальный нижний профиль", 0, 29550, 0, "", 0},
                                            {"DX08", "Профиль разделительный ДСП+Стекло", 0, 9870, 0, "", 0},
                                            {"DX13", "Профиль разделительный ДСП+ДСП", 0, 29164, 0, "", 0},
                                            {"JB02", "Направляющий Ш-образный профиль", 0, 30000, 0, "", 0},
                                            {"JB05", "Ходовой двойной профиль", 0, 30000, 0, "", 0},
                                            {"JB13", "Щетка торцевая", 0, 148020, 0, "", 0},
                                            {"JB14", "Стопор металлический", 0, 3, 0, "", 1},
                                            {"Y1406", "Комплект роликов Лантес 2ниж+2верх", 0, 3, 0, "", 1},
                                            {"JL15", "Профиль-вставка под 10 мм", 0, 58406, 0, "", 0},
                                            {"DX11", "Вставка под стекло", 0, 40459, 0, "", 0},
                                        });
    // Plain handle cut lines: no bar length in the name; the right piece shows the door's right side.
    expectCuts(result.cutLines, {
                                    {"1-1", "JL11", kHandle, "2467,0", "1", 0},
                                    {"1-2", "JL11", kHandle, "2467,0", "2", 0},
                                    {"1-3", "JL11", kHandle, "2467,0", "5", 1},
                                    {"1-4", "JL11", kHandle, "2467,0", "6", 1},
                                    {"1-5", "JL11", kHandle, "2467,0", "10", 2},
                                    {"1-6", "JL11", kHandle, "2467,0", "11", 2},
                                    {"2-1", "JL14", "Горизонтальный нижний профиль", "985,0", "3", 0},
                                    {"2-2", "JL14", "Горизонтальный нижний профиль", "985,0", "7", 1},
                                    {"2-3", "JL14", "Горизонтальный нижний профиль", "985,0", "12", 2},
                                    {"3-1", "DX08", "Профиль разделительный ДСП+Стекло", "987,0", "4", 0},
                                    {"4-1", "DX13", "Профиль разделительный ДСП+ДСП", "2420,0", "8", 1},
                                    {"4-2", "DX13", "Профиль разделительный ДСП+ДСП", "496,4", "9", 1},
                                    {"5-0", "JB02", "Направляющий Ш-образный профиль", "3000,0", "0", -1},
                                    {"6-0", "JB05", "Ходовой двойной профиль", "3000,0", "0", -1},
                                    {"7-0", "JB13", "Щетка торцевая", "14802,0", "0", -1},
                                    {"8-0", "JB14", "Стопор металлический", "3", "0", -1},
                                    {"9-0", "Y1406", "Комплект роликов Лантес 2ниж+2верх", "3", "0", -1},
                                    {"10-0", "JL15", "Профиль-вставка под 10 мм", "5840,6", "0", -1},
                                    {"11-0", "DX11", "Вставка под стекло", "4045,9", "0", -1},
                                });
    // Areas: chipboard 0.9993 x 1.011 + 1.2253 x 0.5133; mirror 1.4233 x 1.0075 + 1.1993 x 0.5098;
    // glass 2.426 x 0.4943; without material 2.426 x 1.011. Amounts: ceil(price per m2 x area).
    expectMaterials(result.materialLines,
                    {
                        {"ДСП-16", "ДСП белое", 160, 1.63923879, 163924, ""},
                        {"ЗЕР-4", "Зеркало серебро", 40, 2.04537789, 409076, ""},
                        {"СТ-10", "Стекло 10 мм", 100, 1.1991718, 359752, ""},
                        {"ВНИМАНИЕ", "ОТДЕЛОЧНЫЙ МАТЕРИАЛ НЕ УКАЗАН", 0, 2.452686, 0, ""},
                    });
    // Panel sizes in whole millimetres, rounded half up; inserts numbered 1 2 (door 0), 3 4 5 (door 1), 6.
    expectPanels(result.panelLines, {
                                        {"1-1", "ДСП-16", "ДСП белое", "999", "1011", "1", 0},
                                        {"1-2", "ДСП-16", "ДСП белое", "1225", "513", "5", 1},
                                        {"2-1", "ЗЕР-4", "Зеркало серебро", "1423", "1008", "2", 0},
                                        {"2-2", "ЗЕР-4", "Зеркало серебро", "1199", "510", "4", 1},
                                        {"3-1", "СТ-10", "Стекло 10 мм", "2426", "494", "3", 1},
                                    });
}

} // namespace
} // namespace dalvex
