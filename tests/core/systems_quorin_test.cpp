// Quorin: the whole bill of materials of a three-door project.
#include "systems_test_support.h"

namespace dalvex {
namespace {

using namespace systems_test;

TEST(SystemsQuorin, WholeBillOfThreeDoorProject) {
    CatalogueFixture fx;
    const DSSystem& quorin = fx.system("Кворин");
    const Catalogue& cat = *fx.catalogue;
    Fillings f;
    // Door height basis 2500 mm, opening 3000 mm, JQ01 (face 120, join 100, inset 25, bar 5.5 m), rows 0 1 0.
    DoorSketch sketch = newSketch(quorin, fx.options, 30000, 25000, 3, cat.findHandleProfile("JQ01"));
    const DividerProfile* jq09 = cat.findDividerProfile("JQ09");
    standardLayout(sketch, jq09, jq09, f);
    CalcResult result;
    calculate(quorin, fx.options, sketch, result, cat.findColor("Хром глянец"));

    // Doors: (2 x 120 - 2 x 30 + 30000) / 3 = 10060 wide, 25000 high. Top JQ08 and bottom JQ07 (face 110,
    // inset 15) cut 10060 - 200 = 9860. Numbers: door 0 sides 1-4, divider 5; door 1 sides 6-9, dividers
    // 10 11; door 2 sides 12-15.
    // Dividers JQ09 (inset 23, cross 50): 10060 - 2 x 100 = 9860; vertical 25000 - 110 - 110 = 24780;
    // horizontal from the vertical one 5060 + 11 - 50 - 100 = 4921.
    // Handles (plain): six pieces of 25000, two per 5.5 m bar: 3 bars. Brush 25000 x 6 = 150000.
    // Panels (insets 25 at the sides, 15 top and bottom, half divider 11; mirrors lose 1 mm all round):
    //   d0 i1 chipboard (not held: error) 10010 x 9974; d0 i2 mirror 9990 x 14954
    //   d1 i1 glass 10: 4964 x 24970; d1 i2 mirror 5004 x 11954; d1 i3 chipboard (error) 5024 x 12974
    //   d2 i1 none 10010 x 24970
    // DX11 round the mirrors: 2 x (14954 + 9990) + 2 x (11954 + 5004) = 83804.
    const std::string bottom = "Горизонтальный нижний профиль";
    const std::string top = "Горизонтальный верхний профиль";
    const std::string divider = "Горизонтальный межсекционный профиль";
    expectArticles(result.articleLines,
                   {
                       {"JQ01", "Профиль ручка", 55000, 3, 0, "", 1},
                       {"JQ07", bottom, 0, 29580, 0, "", 0},
                       {"JQ08", top, 0, 29580, 0, "", 0},
                       {"JQ09", divider, 0, 39561, 0, "", 0},
                       {"JB02", "Направляющий Ш-образный профиль", 0, 30000, 0, "", 0},
                       {"JB05", "Ходовой двойной профиль", 0, 30000, 0, "", 0},
                       {"JB13", "Щетка торцевая", 0, 150000, 0, "", 0},
                       {"JB10/11B", "Комплект роликов асимметричный 2ниж+2верх", 0, 3, 0, "", 1},
                       {"DX11", "Вставка под стекло", 0, 83804, 0, "", 0},
                   });
    expectCuts(result.cutLines,
               {
                   {"1-1", "JQ01", "Профиль ручка", "2500,0", "1", 0},
                   {"1-2", "JQ01", "Профиль ручка", "2500,0", "3", 0},
                   {"1-3", "JQ01", "Профиль ручка", "2500,0", "6", 1},
                   {"1-4", "JQ01", "Профиль ручка", "2500,0", "8", 1},
                   {"1-5", "JQ01", "Профиль ручка", "2500,0", "12", 2},
                   {"1-6", "JQ01", "Профиль ручка", "2500,0", "14", 2},
                   {"2-1", "JQ07", bottom, "986,0", "4", 0},
                   {"2-2", "JQ07", bottom, "986,0", "9", 1},
                   {"2-3", "JQ07", bottom, "986,0", "15", 2},
                   {"3-1", "JQ08", top, "986,0", "2", 0},
                   {"3-2", "JQ08", top, "986,0", "7", 1},
                   {"3-3", "JQ08", top, "986,0", "13", 2},
                   {"4-1", "JQ09", divider, "986,0", "5", 0},
                   {"4-2", "JQ09", divider, "2478,0", "10", 1},
                   {"4-3", "JQ09", divider, "492,1", "11", 1},
                   {"5-0", "JB02", "Направляющий Ш-образный профиль", "3000,0", "0", -1},
                   {"6-0", "JB05", "Ходовой двойной профиль", "3000,0", "0", -1},
                   {"7-0", "JB13", "Щетка торцевая", "15000,0", "0", -1},
                   {"8-0", "JB10/11B", "Комплект роликов асимметричный 2ниж+2верх", "3", "0", -1},
                   {"9-0", "DX11", "Вставка под стекло", "8380,4", "0", -1},
               });
    expectMaterials(result.materialLines,
                    {
                        {"ДСП-16", "ДСП белое", 160, 1.65021116, 100000,
                         "ОШИБКА: Не подходящий по толщине (16,00) материал."},
                        {"ЗЕР-4", "Зеркало серебро", 40, 2.09208276, 418417, ""},
                        {"СТ-10", "Стекло 10 мм", 100, 1.2395108, 371854, ""},
                        {"ВНИМАНИЕ", "ОТДЕЛОЧНЫЙ МАТЕРИАЛ НЕ УКАЗАН", 0, 2.499497, 0, ""},
                    });
    expectPanels(result.panelLines, {
                                        {"1-1", "ДСП-16", "ДСП белое", "997", "1001", "1", 0},
                                        {"1-2", "ДСП-16", "ДСП белое", "1297", "502", "5", 1},
                                        {"2-1", "ЗЕР-4", "Зеркало серебро", "1495", "999", "2", 0},
                                        {"2-2", "ЗЕР-4", "Зеркало серебро", "1195", "500", "4", 1},
                                        {"3-1", "СТ-10", "Стекло 10 мм", "2497", "496", "3", 1},
                                    });
}

} // namespace
} // namespace dalvex
