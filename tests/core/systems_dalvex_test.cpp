// Dalvex: the whole bill of materials of a three-door project, and the fillers and default roller sets by
// door count.
#include "systems_test_support.h"

namespace dalvex {
namespace {

using namespace systems_test;

TEST(SystemsDalvex, WholeBillOfThreeDoorProject) {
    CatalogueFixture fx;
    const DSSystem& dalvex = fx.system("Далвекс");
    const Catalogue& cat = *fx.catalogue;
    Fillings f;
    // Door height basis 2500 mm, opening 3000 mm, DX01 (face 145, join 145, inset 12, bar 4.9 m), rows 0 1 0,
    // DX13 as the top and bottom edge profile.
    DoorSketch sketch = newSketch(dalvex, fx.options, 30000, 25000, 3, cat.findHandleProfile("DX01"));
    standardLayout(sketch, cat.findDividerProfile("DX08"), cat.findDividerProfile("DX13"), f);
    CalcResult result;
    calculate(dalvex, fx.options, sketch, result, nullptr);

    // Doors: (2 x 150 + 30000) / 3 = 10100 wide, 25000 high; edges DX13 cut 10100 - 290 + 10 = 9820.
    // Numbers: door 0 sides 1-4, divider 5; door 1 sides 6-9, dividers 10 11; door 2 sides 12-15.
    // Handle DX01: four pieces of 25000, one 4.9 m bar each; cut from door 0's left, door 1's both sides and
    // door 2's right. Back-door DX03: two pieces, door 0's right and door 2's left.
    // Dividers: DX08 10100 + 2 x (5 - 145) = 9820; DX13 vertical 25000 - 140 - 140 = 24720, horizontal from
    // it 5100 + 7 - 63 + 5 - 145 = 4904; the DX13 line also holds the six edge pieces: 6 x 9820 + 29624.
    // Fillers for three doors: no DX07, DX06 of 2 x 25000. Rollers: DX12-1 x 1.
    // Panels (insets 12 sides, 14 top and bottom, so both ends always held; half divider 7):
    //   d0 i1 chipboard 10076 x 9979; d0 i2 mirror at x 37, 10041 x 14959
    //   d1 i1 glass 10: 4961 x 24952; d1 i2 mirror 5046 x 11959 (right side free); d1 i3 chipboard 5081 x
    //   12979 d2 i1 none 10076 x 24972
    // JL15: 2 x (24952 + 4961) = 59826; DX11: 2 x 14959 + 11959 = 41877.
    const std::string back = "Профиль задней двери";
    const std::string edge = "Профиль разделительный ДСП+ДСП";
    expectArticles(result.articleLines, {
                                            {"DX01", "Профиль ручка", 49000, 4, 0, "", 1},
                                            {"DX03", back, 49000, 2, 0, "", 1},
                                            {"DX08", "Профиль разделительный ДСП+Стекло", 0, 9820, 0, "", 0},
                                            {"DX13", edge, 0, 88544, 0, "", 0},
                                            {"JW01", "Ходовой профиль", 0, 30000, 0, "", 0},
                                            {"DX10NEW", "Ш-обр направляющий профиль", 0, 30000, 0, "", 0},
                                            {"DX06", "Добор малый", 0, 50000, 0, "", 0},
                                            {"DX12-1", "Комплект роликов DALVEX-3х дверный", 0, 1, 0, "", 1},
                                            {"JL15", "Профиль-вставка под 10 мм", 0, 59826, 0, "", 0},
                                            {"DX11", "Вставка под стекло", 0, 41877, 0, "", 0},
                                        });
    expectCuts(result.cutLines, {
                                    {"1-1", "DX01", "Профиль ручка", "2500,0", "1", 0},
                                    {"1-2", "DX01", "Профиль ручка", "2500,0", "6", 1},
                                    {"1-3", "DX01", "Профиль ручка", "2500,0", "8", 1},
                                    {"1-4", "DX01", "Профиль ручка", "2500,0", "14", 2},
                                    {"2-1", "DX03", back, "2500,0", "3", 0},
                                    {"2-2", "DX03", back, "2500,0", "12", 2},
                                    {"3-1", "DX08", "Профиль разделительный ДСП+Стекло", "982,0", "5", 0},
                                    {"4-1", "DX13", edge, "2472,0", "10", 1},
                                    {"4-2", "DX13", edge, "490,4", "11", 1},
                                    {"5-0", "JW01", "Ходовой профиль", "3000,0", "0", -1},
                                    {"6-0", "DX10NEW", "Ш-обр направляющий профиль", "3000,0", "0", -1},
                                    {"7-0", "DX06", "Добор малый", "5000,0", "0", -1},
                                    {"8-0", "DX12-1", "Комплект роликов DALVEX-3х дверный", "1", "0", -1},
                                    {"9-0", "JL15", "Профиль-вставка под 10 мм", "5982,6", "0", -1},
                                    {"10-0", "DX11", "Вставка под стекло", "4187,7", "0", -1},
                                });
    expectMaterials(result.materialLines,
                    {
                        {"ДСП-16", "ДСП белое", 160, 1.66494703, 166495, ""},
                        {"ЗЕР-4", "Зеркало серебро", 40, 2.10548433, 421097, ""},
                        {"СТ-10", "Стекло 10 мм", 100, 1.23786872, 371361, ""},
                        {"ВНИМАНИЕ", "ОТДЕЛОЧНЫЙ МАТЕРИАЛ НЕ УКАЗАН", 0, 2.51617872, 0, ""},
                    });
    expectPanels(result.panelLines, {
                                        {"1-1", "ДСП-16", "ДСП белое", "998", "1008", "1", 0},
                                        {"1-2", "ДСП-16", "ДСП белое", "1298", "508", "5", 1},
                                        {"2-1", "ЗЕР-4", "Зеркало серебро", "1496", "1004", "2", 0},
                                        {"2-2", "ЗЕР-4", "Зеркало серебро", "1196", "505", "4", 1},
                                        {"3-1", "СТ-10", "Стекло 10 мм", "2495", "496", "3", 1},
                                    });
}

// Fillers, default rollers and the two vertical lines by door count and handle profile; prices of 100 roubles
// per metre for the fillers and 1000 roubles per set show that they are priced at the first price.
TEST(SystemsDalvex, FillersRollersAndVerticalsByDoorCount) {
    CatalogueFixture fx("код;коллекция;цена\nDX06;;100\nDX07;;100\nDX12;;1000\nDX12-1;;1500\n");
    const DSSystem& dalvex = fx.system("Далвекс");
    const struct {
        int32_t doors;
        const char* handle;
        const char* back;
        int32_t handlePieces;
        int32_t backPieces;  // 0: no back-door line
        int32_t largeFiller; // DX07 length, 0 = none
        int32_t smallFiller; // DX06 length
        const char* rollers;
        int32_t rollerCount;
    } cases[] = {
        {1, "DX01", "DX03", 2, 0, 0, 50000, "DX12", 1},
        {2, "DX02", "DX04", 3, 1, 25000, 25000, "DX12", 1},
        {3, "DX01", "DX03", 4, 2, 0, 50000, "DX12-1", 1},
        {4, "DX01", "DX03", 5, 3, 25000, 25000, "DX12", 2},
        {5, "DX02", "DX04", 6, 4, 0, 50000, "DX12", 3},
        {6, "DX01", "DX03", 7, 5, 25000, 25000, "DX12-1", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.doors) + " doors " + c.handle);
        DoorSketch sketch =
            newSketch(dalvex, fx.options, 30000, 25000, c.doors, fx.catalogue->findHandleProfile(c.handle));
        CalcResult result;
        calculate(dalvex, fx.options, sketch, result, nullptr);
        std::vector<ArticleLine> expected;
        // Each door piece of 25000 fills a 4.9 m bar alone.
        expected.push_back({c.handle, "Профиль ручка", 49000, c.handlePieces, 0, "", 1});
        if (c.backPieces > 0)
            expected.push_back({c.back, "Профиль задней двери", 49000, c.backPieces, 0, "", 1});
        const int32_t edges = sketch.doors[0].frame[kFrameTop].cutLength * 2 * c.doors;
        expected.push_back({"DX13", "Профиль разделительный ДСП+ДСП", 0, edges, 0, "", 0});
        expected.push_back({"JW01", "Ходовой профиль", 0, 30000, 0, "", 0});
        expected.push_back({"DX10NEW", "Ш-обр направляющий профиль", 0, 30000, 0, "", 0});
        if (c.largeFiller > 0) expected.push_back({"DX07", "Добор большой", 0, c.largeFiller, 25000, "", 0});
        expected.push_back({"DX06", "Добор малый", 0, c.smallFiller, c.smallFiller, "", 0});
        const bool three = std::string_view(c.rollers) == "DX12-1";
        expected.push_back(
            {c.rollers, three ? "Комплект роликов DALVEX-3х дверный" : "Комплект роликов DALVEX-2х дверный",
             0, c.rollerCount, c.rollerCount * (three ? 150000 : 100000), "", 1});
        expectArticles(result.articleLines, expected);
    }
}

} // namespace
} // namespace dalvex
