#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dalvex {
namespace {

struct ExpectedArticle {
    const char* code;
    int32_t barLength;
    int32_t quantity;
    int32_t amount;
    int32_t wholeBars;
};

struct ExpectedCut {
    const char* label;
    const char* length;
    const char* number;
    int32_t doorIndex;
};

// Opening 3000 x 2500 mm, two doors in alternating rows, handle JB01, a 4 mm mirror in both inserts.
class BorvikWorkedExample : public ::testing::Test {
protected:
    void SetUp() override {
        test::fillBorvik(borvik, records);
        mirror = records.material("MIRROR", 40, 100000, "C:\\materials\\Зеркала\\images\\silver.jpg");
        sketch.handleProfile = borvik.findHandleProfile("JB01");
        borvik.assignRows(sketch, options);
        borvik.recompute(sketch, options, false);
    }

    void fillAndCollect() {
        for (int k = 0; k < 2; ++k)
            sketch.doors[k].inserts[1].material = mirror;
        borvik.recompute(sketch, options, true);
        sketch.numberItems();
        borvik.collect(sketch, options, result, nullptr);
    }

    test::Records records;
    DSSystemBorvik borvik{0, "Борвик", 118};
    OrderOptions options;
    SystemOptions& chosen = options.of(kSystemBorvik);
    DoorSketch sketch{30000, 25000, 2, nullptr, false};
    const Material* mirror = nullptr;
    CalcResult result;
};

TEST_F(BorvikWorkedExample, DoorSizesFramesAndPanelsBeforeTheSeal) {
    EXPECT_EQ(sketch.doorsTotalWidth, 30200);
    for (int k = 0; k < 2; ++k) {
        const Door& door = sketch.doors[k];
        EXPECT_EQ(door.width, 15100);
        EXPECT_EQ(door.height, 24600);
        EXPECT_EQ(door.frame[kFrameLeft].cutLength, 24600);
        EXPECT_EQ(door.frame[kFrameRight].cutLength, 24600);
        EXPECT_EQ(door.frame[kFrameTop].profile, borvik.findArticle("JB08"));
        EXPECT_EQ(door.frame[kFrameBottom].profile, borvik.findArticle("JB07"));
        EXPECT_EQ(door.frame[kFrameTop].cutLength, 14606);
        EXPECT_EQ(door.frame[kFrameBottom].cutLength, 14606);
        const Insert& insert = door.inserts.at(1);
        EXPECT_EQ(insert.panelX, 171);
        EXPECT_EQ(insert.panelY, 120);
        EXPECT_EQ(insert.panelWidth, 14758);
        EXPECT_EQ(insert.panelHeight, 24010);
    }
}

TEST_F(BorvikWorkedExample, FourMillimetreMirrorLosesOneMillimetreAllRound) {
    fillAndCollect();
    for (int k = 0; k < 2; ++k) {
        const Insert& insert = sketch.doors[k].inserts.at(1);
        EXPECT_EQ(insert.panelX, 181);
        EXPECT_EQ(insert.panelY, 130);
        EXPECT_EQ(insert.panelWidth, 14738);
        EXPECT_EQ(insert.panelHeight, 23990);
        EXPECT_FALSE(insert.thicknessError);
    }
}

TEST_F(BorvikWorkedExample, ArticleLines) {
    fillAndCollect();
    const ExpectedArticle expected[] = {
        {"JB01", 55000, 2, 2 * 55000, 1}, // 24600 + 24600 per bar, prices per metre
        {"JB07", 0, 29212, 5842, 0},      // trunc(2000 x 2.9212)
        {"JB08", 0, 29212, 6134, 0},      // trunc(2100 x 2.9212)
        {"JB02", 0, 30000, 3000, 0},      {"JB05", 0, 30000, 3900, 0},
        {"JB10/11B", 0, 2, 140000, 1},                                  // asymmetric handle, one set per door
        {"JB13", 0, 98400, 2952, 0},                                    // both edges of both doors
        {"JB14", 0, 2, 1000, 1},          {"JB17", 0, 154912, 3098, 0}, // seal round both 4 mm panels
    };
    ASSERT_EQ(result.articleLines.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].code);
        const ArticleLine& line = result.articleLines[i];
        EXPECT_EQ(line.code, expected[i].code);
        EXPECT_EQ(line.barLength, expected[i].barLength);
        EXPECT_EQ(line.quantity, expected[i].quantity);
        EXPECT_EQ(line.amount, expected[i].amount);
        EXPECT_EQ(line.wholeBars, expected[i].wholeBars);
        EXPECT_TRUE(line.error.empty());
    }
}

TEST_F(BorvikWorkedExample, CutLines) {
    fillAndCollect();
    // Frame numbers: door 0 left 1, top 2, right 3, bottom 4; door 1 continues at 5.
    const ExpectedCut expected[] = {
        {"1-1", "2460,0", "1", 0},  {"1-2", "2460,0", "3", 0}, {"1-3", "2460,0", "5", 1},
        {"1-4", "2460,0", "7", 1},  {"2-1", "1460,6", "4", 0}, {"2-2", "1460,6", "8", 1},
        {"3-1", "1460,6", "2", 0},  {"3-2", "1460,6", "6", 1}, {"4-0", "3000,0", "0", -1},
        {"5-0", "3000,0", "0", -1}, {"6-0", "2", "0", -1},     {"7-0", "9840,0", "0", -1},
        {"8-0", "2", "0", -1},
    };
    ASSERT_EQ(result.cutLines.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].label);
        const CutLine& cut = result.cutLines[i];
        EXPECT_EQ(cut.label, expected[i].label);
        EXPECT_EQ(cut.length, expected[i].length);
        EXPECT_EQ(cut.number, expected[i].number);
        EXPECT_EQ(cut.doorIndex, expected[i].doorIndex);
    }
    EXPECT_EQ(result.cutLines[0].name, "Профиль ручка 5,5 м.");
    EXPECT_EQ(result.cutLines[4].code, "JB07");
    EXPECT_EQ(result.cutLines[4].name, "Артикул JB07");
}

TEST_F(BorvikWorkedExample, MaterialAndPanelLines) {
    fillAndCollect();
    ASSERT_EQ(result.materialLines.size(), 1u);
    const MaterialLine& line = result.materialLines[0];
    EXPECT_EQ(line.name, "MIRROR");
    EXPECT_EQ(line.thickness, 40);
    EXPECT_NEAR(line.area, 2 * 1.4738 * 2.399, 1e-9);
    EXPECT_EQ(line.amount, 707130); // ceil(1000 roubles x 7.0712924 m2)
    ASSERT_EQ(result.panelLines.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        const PanelLine& panel = result.panelLines[k];
        EXPECT_EQ(panel.label, k == 0 ? "1-1" : "1-2");
        EXPECT_EQ(panel.height, "2399,0");
        EXPECT_EQ(panel.width, "1473,8");
        EXPECT_EQ(panel.number, k == 0 ? "1" : "2");
        EXPECT_EQ(panel.doorIndex, k);
    }
    result.computeItemsTotal();
    EXPECT_EQ(result.itemsTotal, 110000 + 5842 + 6134 + 3000 + 3900 + 140000 + 2952 + 1000 + 3098 + 707130);
}

TEST_F(BorvikWorkedExample, PivotModeWithTwoDoors) {
    chosen.pivot = 1;
    borvik.assignRows(sketch, options);
    EXPECT_EQ(sketch.doors[1].row, 0);
    sketch.resizePending = true; // a change of the fittings resizes the doors like a change of the handle
    borvik.recompute(sketch, options, false);
    EXPECT_EQ(sketch.doors[0].width, (30000 - 3 * 3) / 2);
    EXPECT_EQ(sketch.doors[0].height, 25000 - 250);
    fillAndCollect();
    std::vector<std::string> codes;
    for (const ArticleLine& line : result.articleLines)
        codes.push_back(line.code);
    EXPECT_EQ(codes, (std::vector<std::string>{"JB01", "JB07", "JB08", "JB04", "JB16", "JB17"}));
    EXPECT_EQ(result.articleLines[3].quantity, 60000);
    EXPECT_EQ(result.articleLines[4].quantity, 4); // two per door
}

TEST_F(BorvikWorkedExample, ThreeDoorsSwitchPivotOffAndOneRowUsesSingleRails) {
    chosen.pivot = 1;
    sketch.doorCount = 3;
    borvik.assignRows(sketch, options);
    EXPECT_EQ(chosen.pivot, 0);
    EXPECT_EQ(sketch.doors[1].row, 1);
    for (Door& door : sketch.doors)
        door.row = 0;
    borvik.recompute(sketch, options, false);
    fillAndCollect();
    std::vector<std::string> codes;
    for (const ArticleLine& line : result.articleLines)
        codes.push_back(line.code);
    EXPECT_EQ(codes[3], "JB03");
    EXPECT_EQ(codes[4], "JB06");
}

TEST_F(BorvikWorkedExample, ChosenRollerSetIsCheckedAgainstTheHandle) {
    chosen.rollerSet = borvik.rollerSets()[1]; // symmetric set, JB01 is asymmetric
    fillAndCollect();
    const ArticleLine& rollers = result.articleLines[5];
    EXPECT_EQ(rollers.code, "JB010/011B");
    EXPECT_EQ(rollers.error, "ОШИБКА: Ролики не подходят к выбранным ручкам.");
    result.computeItemsTotal();
    EXPECT_EQ(result.itemsTotal, 0);
}

TEST_F(BorvikWorkedExample, SealAndThicknessRules) {
    // 10 mm adds nothing to the seal, 8 mm its perimeter, 16 mm is refused with the thickness message.
    const Material* ten = records.material("TEN", 100, 1000, "a\\ten.jpg");
    const Material* eight = records.material("EIGHT", 80, 1000, "a\\eight.jpg");
    const Material* thick = records.material("DSP", 160, 1000, "a\\dsp.jpg");
    sketch.doors[0].inserts[1].material = ten;
    sketch.doors[1].inserts[1].material = eight;
    borvik.recompute(sketch, options, true);
    sketch.numberItems();
    borvik.collect(sketch, options, result, nullptr);
    const Insert& eightPanel = sketch.doors[1].inserts.at(1);
    EXPECT_EQ(result.articleLines.back().code, "JB17");
    EXPECT_EQ(result.articleLines.back().quantity, 2 * (eightPanel.panelWidth + eightPanel.panelHeight));

    sketch.doors[1].inserts[1].material = thick;
    borvik.recompute(sketch, options, true);
    borvik.collect(sketch, options, result, nullptr);
    EXPECT_TRUE(sketch.doors[1].inserts.at(1).thicknessError);
    EXPECT_NE(result.articleLines.back().code, "JB17");
    ASSERT_EQ(result.materialLines.size(), 2u);
    EXPECT_EQ(result.materialLines[0].name, "DSP");
    EXPECT_EQ(result.materialLines[0].error, "ОШИБКА: Не подходящий по толщине (16,00) материал.");
    EXPECT_EQ(result.materialLines[0].amount, 1000); // stays the price per m2
}

TEST_F(BorvikWorkedExample, MixedDividerProfilesAreBilledUnderTheLastOne) {
    const DividerProfile* jb09 = borvik.findDividerProfile("JB09");
    const DividerProfile* jb91 = borvik.findDividerProfile("JB91");
    test::splitWhole(sketch.doors[0], 1, false, 12000, jb09);
    test::splitWhole(sketch.doors[1], 1, false, 10000, jb91);
    fillAndCollect();
    const ArticleLine& dividers = result.articleLines[3];
    EXPECT_EQ(dividers.code, "JB91");
    // Between the two frame sides: +0.5 mm less the handle's join deduction at each end.
    const int32_t cut = 15100 + 2 * (5 - 252);
    EXPECT_EQ(sketch.doors[0].dividers.at(1).cutLength, cut);
    EXPECT_EQ(dividers.quantity, 2 * cut);
    EXPECT_EQ(result.cutLines[8].label, "4-1");
    EXPECT_EQ(result.cutLines[9].label, "4-2");
    EXPECT_EQ(result.cutLines[9].doorIndex, 1);
    EXPECT_EQ(result.cutLines[10].label, "5-0"); // the rails follow in the next group
}

TEST_F(BorvikWorkedExample, SameCodeFromTwoFoldersIsOneMaterialLine) {
    const Material* a = records.material("M1", 40, 1000, "x\\f1\\p.jpg", true);
    const Material* b = records.material("M1", 40, 1000, "x\\f2\\p.jpg", true);
    sketch.doors[0].inserts[1].material = a;
    sketch.doors[1].inserts[1].material = b;
    borvik.recompute(sketch, options, true);
    sketch.numberItems();
    borvik.collect(sketch, options, result, nullptr);
    ASSERT_EQ(result.materialLines.size(), 1u);
    EXPECT_EQ(result.panelLines.size(), 2u);
}

} // namespace
} // namespace dalvex
