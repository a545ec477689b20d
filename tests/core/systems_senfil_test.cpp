// Senfil: the whole bill of materials of a three-door project.
#include "systems_test_support.h"

namespace dalvex {
namespace {

using namespace systems_test;

TEST(SystemsSenfil, WholeBillOfThreeDoorProject) {
    CatalogueFixture fx;
    const DSSystem& senfil = fx.system("Сенфил-Н");
    const Catalogue& cat = *fx.catalogue;
    Fillings f;
    // Opening 3000 x 2500 mm, JS01 (face 198, join 190, inset 100, bars 4.2/5.5 m), rows 0 1 0.
    DoorSketch sketch = newSketch(senfil, fx.options, 30000, 25000, 3, cat.findHandleProfile("JS01"));
    standardLayout(sketch, cat.findDividerProfile("DX08"), cat.findDividerProfile("DX13"), f);
    CalcResult result;
    calculate(senfil, fx.options, sketch, result, nullptr);

    // Doors: (2 x 198 + 30000) / 3 = 10132 wide, 25000 - 390 = 24610 high; no top or bottom profiles, so the
    // numbers are: door 0 sides 1 2, divider 3; door 1 sides 4 5, dividers 6 7; door 2 sides 8 9.
    // Dividers lose the handle's join at a frame end: DX08 10132 - 380 = 9752; the vertical DX13 24610; the
    // horizontal DX13 from the vertical one: 5132 + 7 - 63 - 190 = 4886.
    // Handles: six pieces of 24610, one 4.2 m bar each. Brush 24610 x 6 = 147660. JLS serves two doors: 2
    // sets. Panels (side insets 100, no top or bottom profile, half divider 7):
    //   d0 i1 chipboard 9932 x 9993; d0 i2 mirror at x 115, 9932 - 30 = 9902 x 14603
    //   d1 i1 glass 10: not held by Senfil (thickness error), 4893 x 24610
    //   d1 i2 mirror: right side free, 5025 - 30 = 4995 x 11993; d1 i3 chipboard 5025 x 12603
    //   d2 i1 none 9932 x 24610
    // DX11 along the free sides of the mirrors: 2 x 14603 + 11993 = 41199.
    const std::string handle = "Вертикальная профиль ручка";
    expectArticles(result.articleLines, {
                                            {"JS01", handle, 42000, 6, 0, "", 1},
                                            {"DX08", "Профиль разделительный ДСП+Стекло", 0, 9752, 0, "", 0},
                                            {"DX13", "Профиль разделительный ДСП+ДСП", 0, 29496, 0, "", 0},
                                            {"JB02", "Направляющий Ш-образный профиль", 0, 30000, 0, "", 0},
                                            {"JB05", "Ходовой двойной профиль", 0, 30000, 0, "", 0},
                                            {"JB13", "Щетка торцевая", 0, 147660, 0, "", 0},
                                            {"JB14", "Стопор металлический", 0, 3, 0, "", 1},
                                            {"JLS", "Комплект роликов JLS", 0, 2, 0, "", 1},
                                            {"DX11", "Вставка под стекло", 0, 41199, 0, "", 0},
                                        });
    // Handle cut lines name the bar length and show the left side's length for both pieces of a door.
    const std::string bar = handle + " 4,2 м.";
    expectCuts(result.cutLines, {
                                    {"1-1", "JS01", bar, "2461,0", "1", 0},
                                    {"1-2", "JS01", bar, "2461,0", "2", 0},
                                    {"1-3", "JS01", bar, "2461,0", "4", 1},
                                    {"1-4", "JS01", bar, "2461,0", "5", 1},
                                    {"1-5", "JS01", bar, "2461,0", "8", 2},
                                    {"1-6", "JS01", bar, "2461,0", "9", 2},
                                    {"2-1", "DX08", "Профиль разделительный ДСП+Стекло", "975,2", "3", 0},
                                    {"3-1", "DX13", "Профиль разделительный ДСП+ДСП", "2461,0", "6", 1},
                                    {"3-2", "DX13", "Профиль разделительный ДСП+ДСП", "488,6", "7", 1},
                                    {"4-0", "JB02", "Направляющий Ш-образный профиль", "3000,0", "0", -1},
                                    {"5-0", "JB05", "Ходовой двойной профиль", "3000,0", "0", -1},
                                    {"6-0", "JB13", "Щетка торцевая", "14766,0", "0", -1},
                                    {"7-0", "JB14", "Стопор металлический", "3", "0", -1},
                                    {"8-0", "JLS", "Комплект роликов JLS", "2", "0", -1},
                                    {"9-0", "DX11", "Вставка под стекло", "4119,9", "0", -1},
                                });
    // The 10 mm glass keeps its price per m2 as amount and carries the thickness message.
    expectMaterials(result.materialLines,
                    {
                        {"ДСП-16", "ДСП белое", 160, 1.62580551, 162581, ""},
                        {"ЗЕР-4", "Зеркало серебро", 40, 2.04503941, 409008, ""},
                        {"СТ-10", "Стекло 10 мм", 100, 1.2041673, 300000,
                         "ОШИБКА: Не подходящий по толщине (10,00) материал."},
                        {"ВНИМАНИЕ", "ОТДЕЛОЧНЫЙ МАТЕРИАЛ НЕ УКАЗАН", 0, 2.4442652, 0, ""},
                    });
    expectPanels(result.panelLines, {
                                        {"1-1", "ДСП-16", "ДСП белое", "999", "993", "1", 0},
                                        {"1-2", "ДСП-16", "ДСП белое", "1260", "503", "5", 1},
                                        {"2-1", "ЗЕР-4", "Зеркало серебро", "1460", "990", "2", 0},
                                        {"2-2", "ЗЕР-4", "Зеркало серебро", "1199", "500", "4", 1},
                                        {"3-1", "СТ-10", "Стекло 10 мм", "2461", "489", "3", 1},
                                    });
}

} // namespace
} // namespace dalvex
