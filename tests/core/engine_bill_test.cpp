#include "calc/line_text.h"
#include "engine_test_support.h"
#include "text/format.h"

#include <gtest/gtest.h>

namespace dalvex {
namespace {

// Opens the line builders to the tests.
struct Probe : DSSystemLantes {
    Probe() : DSSystemLantes(1, "Лантес", 115) {}
    using DSSystem::barLine;
    using DSSystem::emitRollerSet;
    using DSSystem::lengthLine;
    using DSSystem::pieceLine;
};

TEST(EngineBarLine, NextFitPackingInCuttingOrder) {
    test::Records r;
    Probe probe;
    const HandleProfile* handle = r.handle("JB01", 260, 252, 171, 55000, 48000, 1, 1234);
    const int32_t barPrice = 6787; // trunc(1234 x 5.5)
    const struct {
        std::vector<int32_t> pieces;
        int32_t bars;
        bool error;
    } cases[] = {
        {{24000, 24000, 24000}, 2, false},
        {{30000, 30000, 20000, 20000}, 3, false}, // a sorted packing would need two
        {{55000}, 1, false},                      // exactly one bar fits
        {{60000}, 1, true},
        {{30000, 60000, 1000}, 2, true}, // the bar in progress is closed before the message
        {{}, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.pieces));
        const ArticleLine line = probe.barLine(handle, c.pieces, nullptr, OrderOptions{});
        EXPECT_EQ(line.code, "JB01");
        EXPECT_EQ(line.wholeBars, 1);
        EXPECT_EQ(line.barLength, 55000);
        EXPECT_EQ(line.quantity, c.bars);
        EXPECT_EQ(line.amount, c.bars * barPrice);
        EXPECT_EQ(line.error, c.error ? "ОШИБКА! Есть отрезки профилей больше 5,5 м." : "");
    }
}

TEST(EngineBarLine, SecondBarLengthAndMissingBar) {
    test::Records r;
    Probe probe;
    HandleProfile* handle = r.handle("JB01", 260, 252, 171, 55000, 48000, 1, 1000);
    OrderOptions options;
    options.setBarChoice(*handle, 2);
    EXPECT_EQ(probe.barLine(handle, {30000, 20000}, nullptr, options).quantity, 2); // 48000 bars
    handle->barLength2 = 0;
    const ArticleLine line = probe.barLine(handle, {100}, nullptr, options);
    EXPECT_EQ(line.error, "ОШИБКА! Есть отрезки профилей больше 0,0 м.");
}

TEST(EngineBarLine, OtherKindsAreBoughtByLengthAndPricedByColour) {
    test::Records r;
    Probe probe;
    Article* rail = r.article("JB07", kKindRailProfile, 0, 0, 0, 59000, 2000);
    rail->prices[kCategoryAnod] = 3000;
    ProfileColor anod;
    anod.categories[1] = kCategoryAnod; // the colour's category in the system with index 1
    const ArticleLine line = probe.barLine(rail, {14606, 14606}, &anod, OrderOptions{});
    EXPECT_EQ(line.quantity, 29212);
    EXPECT_EQ(line.wholeBars, 0);
    EXPECT_EQ(line.barLength, 0);
    EXPECT_EQ(line.amount, 8763); // trunc(3000 x 2.9212)
    EXPECT_EQ(probe.lengthLine(rail, 30000, nullptr).amount, 6000);
    const ArticleLine pieces = probe.pieceLine(r.article("JB14", kKindFitting, 0, 0, 0, 0, 500), 3);
    EXPECT_EQ(pieces.quantity, 3);
    EXPECT_EQ(pieces.amount, 1500);
    EXPECT_EQ(pieces.wholeBars, 1);
}

TEST(EngineBarLine, HugeProductsStayInRange) {
    test::Records r;
    Probe probe;
    Article* rail = r.article("R", kKindRailProfile, 0, 0, 0, 0, INT32_MAX);
    EXPECT_EQ(probe.lengthLine(rail, INT32_MAX, nullptr).amount, INT32_MAX);
    EXPECT_EQ(probe.pieceLine(rail, INT32_MAX).amount, INT32_MAX);
    const ArticleLine line = probe.barLine(rail, {INT32_MAX, INT32_MAX, INT32_MAX}, nullptr, OrderOptions{});
    EXPECT_EQ(line.quantity, INT32_MAX);
    EXPECT_EQ(probe.barLine(nullptr, {1}, nullptr, OrderOptions{}).code, "");
}

TEST(EngineRollerSets, QuantityAndFit) {
    test::Records r;
    Probe probe;
    const RollerSet* perWardrobe = r.rollers("A", 0, 1, 2);
    const RollerSet* perDoor = r.rollers("B", 0, 0, 2);
    const RollerSet* brokenSet = r.rollers("C", 0, 1, 0);
    EXPECT_EQ(probe.rollerSetQuantity(3, perWardrobe), 2);
    EXPECT_EQ(probe.rollerSetQuantity(4, perWardrobe), 2);
    EXPECT_EQ(probe.rollerSetQuantity(3, perDoor), 6);
    EXPECT_EQ(probe.rollerSetQuantity(3, brokenSet), 3);
    EXPECT_EQ(probe.rollerSetQuantity(3, nullptr), 0);

    const HandleProfile* asym = r.handle("H1", 0, 0, 0, 0, 0, 1);
    const HandleProfile* sym = r.handle("H0", 0, 0, 0, 0, 0, 0);
    DoorSketch sketch(30000, 20000, 2, nullptr, false);
    EXPECT_FALSE(probe.rollerSetFits(sketch, nullptr));
    EXPECT_TRUE(probe.rollerSetFits(sketch, r.rollers("S2", 2, 0, 1))); // no handle: every set fits
    sketch.doors[0].frame[kFrameLeft].profile = sym;
    EXPECT_FALSE(probe.rollerSetFits(sketch, r.rollers("S2", 2, 0, 1)));
    EXPECT_TRUE(probe.rollerSetFits(sketch, r.rollers("S1", 1, 0, 1)));
    EXPECT_TRUE(probe.rollerSetFits(sketch, r.rollers("S0", 0, 0, 1)));
    sketch.doors[0].frame[kFrameLeft].profile = asym;
    EXPECT_TRUE(probe.rollerSetFits(sketch, r.rollers("S2", 2, 0, 1)));
    EXPECT_FALSE(probe.rollerSetFits(sketch, r.rollers("S1", 1, 0, 1)));
}

TEST(EngineRollerSets, FallbackQuantityAndCountCutLine) {
    test::Records r;
    Probe probe;
    DoorSketch sketch(30000, 20000, 3, nullptr, false);
    CalcResult result;
    probe.emitRollerSet(sketch, OrderOptions{}, result, r.rollers("Y1406", 0, 0, 1, 1000));
    probe.emitRollerSet(sketch, OrderOptions{}, result, r.rollers("JZB01", 0, 1, 2, 1000), 2);
    ASSERT_EQ(result.articleLines.size(), 2u);
    EXPECT_EQ(result.articleLines[0].quantity, 3);
    EXPECT_EQ(result.articleLines[0].amount, 3000);
    EXPECT_EQ(result.articleLines[1].quantity, 2);
    ASSERT_EQ(result.cutLines.size(), 2u);
    EXPECT_EQ(result.cutLines[0].label, "1-0");
    EXPECT_EQ(result.cutLines[0].length, "3");
    EXPECT_EQ(result.cutLines[1].label, "2-0");
    EXPECT_EQ(result.profileGroup, 3);
}

// A sketch with panels set by hand: inserts of the given sizes (0.1 mm) and materials, one door each.
class EngineFillings : public ::testing::Test {
protected:
    Insert& panel(int door, int32_t id, int32_t width, int32_t height, const Material* m) {
        sketch.doorCount = std::max(sketch.doorCount, door + 1);
        Insert& insert = sketch.doors[door].inserts[id];
        insert.panelWidth = width;
        insert.panelHeight = height;
        insert.material = m;
        insert.number = id;
        return insert;
    }

    test::Records r;
    Probe probe;
    DoorSketch sketch{30000, 20000, 1, nullptr, false};
    CalcResult result;
};

TEST_F(EngineFillings, SameMaterialInTwoDoorsIsOneLineWithTwoPanels) {
    const Material* glass = r.material("G1", 40, 333, "m\\glass.jpg");
    panel(0, 1, 10000, 10000, glass);
    panel(1, 1, 5000, 10000, glass);
    probe.collectFillings(sketch, result);
    ASSERT_EQ(result.materialLines.size(), 1u);
    EXPECT_DOUBLE_EQ(result.materialLines[0].area, 1.5);
    EXPECT_EQ(result.materialLines[0].amount, 500); // ceil(333 x 1.5)
    ASSERT_EQ(result.panelLines.size(), 2u);
    EXPECT_EQ(result.panelLines[0].label, "1-1");
    EXPECT_EQ(result.panelLines[1].label, "1-2");
    EXPECT_EQ(result.panelLines[1].doorIndex, 1);
    EXPECT_EQ(result.panelLines[1].width, "500");
    EXPECT_EQ(result.materialGroup, 2);
}

TEST_F(EngineFillings, LinesOrderedByKeyAndSameCodeWithOtherPictureApart) {
    const Material* b = r.material("B", 160, 100, "m\\b.jpg");
    const Material* a1 = r.material("A", 160, 100, "m\\one.jpg");
    const Material* a2 = r.material("A", 160, 100, "m\\dir\\two.jpg", true);
    panel(0, 1, 10000, 10000, b);
    panel(0, 2, 10000, 10000, a2);
    panel(0, 3, 10000, 10000, a1);
    probe.collectFillings(sketch, result);
    ASSERT_EQ(result.materialLines.size(), 3u);
    EXPECT_EQ(result.materialLines[0].description,
              "Материал A (dir\\two.jpg)"); // "Adir\\two.jpg" < "Aone.jpg"
    EXPECT_EQ(result.materialLines[1].description, "Материал A");
    EXPECT_EQ(result.materialLines[2].name, "B");
    EXPECT_EQ(result.panelLines[0].label, "1-1");
    EXPECT_EQ(result.panelLines[1].label, "2-1");
    EXPECT_EQ(result.panelLines[2].label, "3-1");
    EXPECT_EQ(result.panelLines[2].number, "1");
}

TEST_F(EngineFillings, PanelSizesRoundToWholeMillimetres) {
    panel(0, 1, 12345, 6784, r.material("C", 160, 100, "m\\c.jpg"));
    probe.collectFillings(sketch, result);
    EXPECT_EQ(result.panelLines[0].width, "1235");
    EXPECT_EQ(result.panelLines[0].height, "678");
}

TEST_F(EngineFillings, NoMaterialGivesOnlyTheWarningLine) {
    panel(0, 1, 10000, 20000, nullptr);
    probe.collectFillings(sketch, result);
    ASSERT_EQ(result.materialLines.size(), 1u);
    EXPECT_EQ(result.materialLines[0].name, "ВНИМАНИЕ");
    EXPECT_EQ(result.materialLines[0].description, "ОТДЕЛОЧНЫЙ МАТЕРИАЛ НЕ УКАЗАН");
    EXPECT_DOUBLE_EQ(result.materialLines[0].area, 2.0);
    EXPECT_EQ(result.materialLines[0].amount, 0);
    EXPECT_TRUE(result.panelLines.empty());
    result.articleLines.push_back({"X", "", 0, 1, 700, "", 1});
    result.computeItemsTotal();
    EXPECT_EQ(result.itemsTotal, 700);
}

TEST_F(EngineFillings, ThicknessErrorKeepsThePriceAndZeroesTheTotal) {
    Insert& insert = panel(0, 1, 10000, 10000, r.material("M", 80, 2500, "m\\m.jpg"));
    insert.thicknessError = true;
    probe.collectFillings(sketch, result);
    EXPECT_EQ(result.materialLines[0].error, "ОШИБКА: Не подходящий по толщине (8,00) материал.");
    EXPECT_EQ(result.materialLines[0].amount, 2500);
    result.articleLines.push_back({"X", "", 0, 1, 700, "", 1});
    result.computeItemsTotal();
    EXPECT_EQ(result.itemsTotal, 0);
}

TEST(EngineLineTexts, ReadExactlyAsTheFormatterWritesThem) {
    std::vector<int32_t> values = {0, 1, -1, 5, -5, 9, 10, 99, 24600, 14606, -14606, INT32_MAX, INT32_MIN};
    for (int32_t v = -2000; v <= 2000; v += 7)
        values.push_back(v);
    for (int32_t v = 1; v < INT32_MAX / 3; v = v * 3 + 1)
        values.push_back(v);
    for (int32_t v : values) {
        SCOPED_TRACE(v);
        EXPECT_EQ(tenthsText(v), format("%0.1f", v / 10.0));
        EXPECT_EQ(countText(v), format("%d", v));
        EXPECT_EQ(labelText(v, 7), format("%d-%d", v, 7));
    }
}

TEST(EngineTotals, MaterialsCountOnlyAfterPricedArticles) {
    CalcResult result;
    result.articleLines.push_back({"A", "", 0, 1, 0, "", 1});
    result.materialLines.push_back({"M", "", 0, 1.0, 5000, ""});
    result.computeItemsTotal();
    EXPECT_EQ(result.itemsTotal, 0);
    EXPECT_FALSE(result.totalsDirty);
    result.articleLines[0].amount = 100;
    result.computeItemsTotal();
    EXPECT_EQ(result.itemsTotal, 5100);
    result.articleLines.push_back({"B", "", 0, 1, INT32_MAX, "", 1});
    result.computeItemsTotal();
    EXPECT_EQ(result.itemsTotal, INT32_MAX);
    result.articleLines[1].error = "x";
    result.computeItemsTotal();
    EXPECT_EQ(result.itemsTotal, 0);

    result.discountPercent = 5;
    result.profileGroup = 7;
    result.clear();
    EXPECT_TRUE(result.articleLines.empty());
    EXPECT_TRUE(result.totalsDirty);
    EXPECT_EQ(result.profileGroup, 1);
    EXPECT_EQ(result.discountPercent, 5);
}

} // namespace
} // namespace dalvex
