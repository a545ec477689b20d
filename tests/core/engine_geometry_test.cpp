#include "engine_test_support.h"

#include <gtest/gtest.h>

namespace dalvex {
namespace {

class EngineGeometry : public ::testing::Test {
protected:
    test::Records r;
    OrderOptions options;
};

TEST_F(EngineGeometry, LantesDoorWidthsWithTwoOverlaps) {
    DSSystemLantes lantes(1, "Лантес", 115);
    lantes.addArticle(r.article("JL14", kKindRailProfile, 470, 470, 410, 59000));
    const HandleProfile* handle = r.handle("JL11", 260, 155, 30, 48000, 55000, 1);
    DoorSketch sketch(30000, 20000, 3, handle, false);
    lantes.recompute(sketch, options, false);
    EXPECT_EQ(sketch.doorsTotalWidth, 30519);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(sketch.doors[k].width, 10173);
        EXPECT_EQ(sketch.doors[k].height, 20000 - 330);
        EXPECT_EQ(sketch.doors[k].frame[kFrameTop].profile, nullptr);
        EXPECT_EQ(sketch.doors[k].frame[kFrameBottom].cutLength, 10173 - 2 * 155 - 10);
    }
}

TEST_F(EngineGeometry, KeepDoorWidthsRecomputesOnlyInsideTheDoors) {
    DSSystemLantes lantes(1, "Лантес", 115);
    const HandleProfile* handle = r.handle("JL11", 260, 155, 30, 48000, 55000, 1);
    const DividerProfile* dx13 = r.divider("DX13", 140, 0, 14, 49000, 63);
    DoorSketch sketch(30000, 20000, 3, handle, false);
    lantes.recompute(sketch, options, false);
    sketch.doors[1].width = sketch.doors[1].previousWidth = 9000; // set by hand
    Divider& d = test::splitWhole(sketch.doors[1], 1, true, 4000, dx13);
    sketch.width = 40000;
    lantes.recompute(sketch, options, true);
    EXPECT_EQ(sketch.doors[0].width, 10173);
    EXPECT_EQ(sketch.doors[1].width, 9000);
    EXPECT_EQ(sketch.doors[1].frame[kFrameBottom].cutLength, 9000 - 320);
    EXPECT_EQ(d.cutLength, 19670); // no top or bottom profile to deduct
    EXPECT_EQ(d.axis, 4000 - 7);
    EXPECT_EQ(sketch.doors[1].inserts.at(1).panelWidth, 4000 - 30 - 7);
}

TEST_F(EngineGeometry, HandSetProportionsSurviveAWidthChange) {
    DSSystemLantes lantes(1, "Лантес", 115);
    DoorSketch sketch(30000, 20000, 3, nullptr, true); // one row, no handle: no overlaps
    lantes.recompute(sketch, options, false);
    EXPECT_EQ(sketch.doorsTotalWidth, 30000);
    sketch.doors[0].width = 15000;
    sketch.doors[1].width = 7500;
    sketch.doors[2].width = 7500;
    sketch.width = 40000;
    lantes.recompute(sketch, options, false);
    EXPECT_EQ(sketch.doorsTotalWidth, 39999);
    EXPECT_EQ(sketch.doors[0].width, 20000); // floor(0.5 x 39999 + 0.5)
    EXPECT_EQ(sketch.doors[1].width, 10000);
    EXPECT_EQ(sketch.doors[2].width, 9999); // the last door absorbs the rounding
}

TEST_F(EngineGeometry, ProportionsAreNotSavedWithoutATotal) {
    DSSystemLantes lantes(1, "Лантес", 115);
    DoorSketch sketch(30000, 20000, 2, nullptr, true);
    sketch.doors[0].width = 100;
    sketch.previousDoorCount = 2;
    sketch.doorsTotalWidth = 0;
    DoorProportions ratios{};
    EXPECT_TRUE(lantes.saveDoorProportions(sketch, ratios));
    sketch.doorsTotalWidth = 200;
    EXPECT_FALSE(lantes.saveDoorProportions(sketch, ratios));
    EXPECT_DOUBLE_EQ(ratios[0], 0.5);
    sketch.doorCount = 3;
    EXPECT_TRUE(lantes.saveDoorProportions(sketch, ratios));
}

TEST_F(EngineGeometry, DividerCutLengthsAtFramesAndAtDividers) {
    // A horizontal divider between two vertical dividers, and one between the frame sides.
    DSSystemLantes lantes(1, "Лантес", 115);
    const HandleProfile* handle = r.handle("JL11", 260, 155, 30, 48000, 55000, 1);
    const DividerProfile* dx08 = r.divider("DX08", 140, 0, 14, 49000, 63);
    DoorSketch sketch(10000, 20330, 1, handle, false);
    lantes.recompute(sketch, options, false);
    Door& door = sketch.doors[0];
    test::splitWhole(door, 1, true, 3000, dx08); // divider 1, insert 2 right of it
    test::splitWhole(door, 2, true, 7000, dx08); // divider 2, insert 3 right of it
    Divider& middle = test::splitWhole(door, 2, false, 9000, dx08);
    Divider& whole = test::splitWhole(door, 1, false, 5000, dx08);
    lantes.recompute(sketch, options, true);
    EXPECT_EQ(middle.cutLength, 4000 + 2 * (7 - 63));
    EXPECT_EQ(whole.cutLength, 3000 + 5 - 155 + 7 - 63);
    EXPECT_EQ(door.dividers.at(1).cutLength, 20000); // no top or bottom profile in Lantes
}

TEST_F(EngineGeometry, FeldorDividersOnlyLoseTheJoinAtTheFrame) {
    DSSystemFeldor feldor(5, "Фелдор", 300);
    const HandleProfile* handle = r.handle("JB300N", 500, 490, 410, 55000, 0, 0);
    const DividerProfile* jb09 = r.divider("JB09", 280, 280, 74, 59000, 95);
    DoorSketch sketch(20000, 20620, 2, handle, false);
    feldor.recompute(sketch, options, false);
    Door& door = sketch.doors[0];
    Divider& v = test::splitWhole(door, 1, true, 5000, jb09);
    Divider& h = test::splitWhole(door, 2, false, 8000, jb09);
    feldor.recompute(sketch, options, true);
    EXPECT_EQ(v.cutLength, door.height);
    EXPECT_EQ(h.cutLength, door.width - 5000 + 5 - 490);
}

TEST_F(EngineGeometry, DoorSizePerSystem) {
    const HandleProfile* handle = r.handle("H", 200, 100, 50, 55000, 0, 1);
    Article* brush = r.article("JB13", kKindStrip, 0, 0, 30);
    const struct {
        const char* system;
        int32_t width;
        int32_t height;
    } cases[] = {
        {"Лантес", (2 * 200 + 30000) / 3, 20000 - 330},      {"Далвекс", (2 * 150 + 30000) / 3, 20000},
        {"Борвик", (2 * 200 - 60 + 30000) / 3, 20000 - 400}, {"Венлор", (2 * 200 + 30000) / 3, 20300},
        {"Сенфил-Н", (2 * 200 + 30000) / 3, 20000 - 390},    {"Кворин", (2 * 200 - 60 + 30000) / 3, 20000},
        {"Зеркан", (30000 - 40 + 2 * 140) / 3, 20000},       {"Нордел", (30000 - 20 + 2 * 220) / 3, 20000},
        {"Герлит", (30000 + 2 * 50) / 3, 20000 - 160},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.system);
        auto system = createSystem(0, c.system, 0);
        system->addArticle(brush);
        DoorSketch sketch(30000, 20000, 3, handle, false);
        system->recompute(sketch, options, false);
        EXPECT_EQ(sketch.doors[2].width, c.width);
        EXPECT_EQ(sketch.doors[2].height, c.height);
    }
}

TEST_F(EngineGeometry, FeldorDoorWidths) {
    const HandleProfile* jb300 = r.handle("JB300N", 500, 490, 410, 55000, 0, 0);
    const HandleProfile* jb100 = r.handle("JB100", 360, 346, 270, 55000, 0, 1);
    const HandleProfile* jb01 = r.handle("JB01", 260, 252, 171, 55000, 48000, 1);
    const struct {
        int32_t mountInside;
        const HandleProfile* handle;
        int32_t doors;
        int32_t width;
        int32_t total;
        int32_t height;
    } cases[] = {
        {0, jb300, 2, 15000 + 1310, 2 * 16310, 20040},     {0, jb100, 2, 15000 + 1030, 2 * 16030, 20040},
        {0, jb01, 2, 15000 + 1310, 2 * 16310, 20040}, // an unnamed profile is built like JB300N
        {1, jb300, 1, 30000 - 14320 - 50, 30000, 19380},   {1, jb100, 1, 30000 - 14435 - 100, 30000, 19380},
        {1, jb300, 2, 250 - 50 + 15000, 2 * 15200, 19380}, {1, jb300, 4, 250 - 50 + 7500, 4 * 7700, 19380},
        {1, jb300, 3, 250 - 50 + 10000, 3 * 10200, 19380},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.handle->code << " inside " << c.mountInside << " doors " << c.doors);
        DSSystemFeldor feldor(5, "Фелдор", 300);
        options.of(kSystemFeldor).mountInside = c.mountInside;
        DoorSketch sketch(30000, 20000, c.doors, c.handle, false);
        feldor.assignRows(sketch, options);
        feldor.recompute(sketch, options, false);
        EXPECT_EQ(sketch.doors[0].width, c.width);
        EXPECT_EQ(sketch.doorsTotalWidth, c.total);
        EXPECT_EQ(sketch.doors[0].height, c.height);
    }
}

TEST_F(EngineGeometry, GerlitPanelsFillTheirInserts) {
    DSSystemGerlit gerlit(6, "Герлит", 120);
    DoorSketch sketch(30000, 20000, 2, nullptr, false);
    sketch.doors[0].inserts[1].material = r.material("G", 40, 0, "g.jpg");
    gerlit.recompute(sketch, options, true); // the door sizes are always taken anew
    const Door& door = sketch.doors[0];
    EXPECT_EQ(door.width, 15025);
    EXPECT_EQ(door.frame[kFrameLeft].profile, nullptr);
    const Insert& insert = door.inserts.at(1);
    EXPECT_EQ(insert.panelX, 10 + 15);
    EXPECT_EQ(insert.panelWidth, 15025 - 20 - 15);
    EXPECT_EQ(insert.panelY, 0); // neither end is held
    EXPECT_EQ(insert.panelHeight, 19840);
}

// Insert with a 1000 x 1000 panel at (100, 100) and the given neighbours.
Insert panelInsert(const Material* m, int32_t topId, int32_t leftId, int32_t rightId, int32_t bottomId) {
    Insert i;
    i.material = m;
    i.panelX = i.panelY = 100;
    i.panelWidth = i.panelHeight = 1000;
    i.topId = topId;
    i.leftId = leftId;
    i.rightId = rightId;
    i.bottomId = bottomId;
    return i;
}

TEST_F(EngineGeometry, AdjustPanelPerSystem) {
    struct Case {
        const char* system;
        int32_t thickness;
        bool dividersAround; // dividers on all four sides, else the frame everywhere (insets 120 / 470)
        int32_t x, y, width, height;
        bool error;
    };
    const Case cases[] = {
        {"Лантес", 160, false, 100, 100, 1000, 1000, false},
        {"Лантес", 100, false, 110, 110, 980, 980, false},
        {"Лантес", 40, false, 125, 110, 965, 980, false}, // 1.5 mm more at the frame sides
        {"Лантес", 40, true, 110, 110, 980, 980, false},
        {"Лантес", 80, false, 100, 100, 1000, 1000, true},
        {"Борвик", 80, false, 110, 110, 980, 980, false},
        {"Борвик", 100, false, 100, 100, 1000, 1000, false},
        {"Борвик", 160, false, 100, 100, 1000, 1000, true},
        {"Сенфил-Н", 40, false, 115, 100, 970, 1000, false},
        {"Сенфил-Н", 100, false, 100, 100, 1000, 1000, true},
        {"Кворин", 40, true, 110, 110, 980, 980, false},
        {"Кворин", 160, true, 100, 100, 1000, 1000, true},
        {"Зеркан", 0, false, 105, 105, 990, 990, false},
        {"Зеркан", 40, true, 115, 115, 970, 970, false},
        {"Зеркан", 160, true, 100, 100, 1000, 1000, true},
        {"Нордел", 40, false, 110, 110, 980, 980, false},
        {"Нордел", 160, false, 100, 100, 1000, 1000, true},
        {"Венлор", 40, false, 45, 125, 1110, 950, false},
        {"Венлор", 40, true, 100, 50, 1000, 1100, false},
        {"Венлор", 80, true, 100, 100, 1000, 1000, true},
        {"Фелдор", 40, false, 110, 110, 980, 980, false},
    };
    Article* jw07 = r.article("JW07", kKindFitting, 100, 0, 25, 50000);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.system << " " << c.thickness << (c.dividersAround ? " dividers" : ""));
        auto system = createSystem(0, c.system, 0);
        system->addArticle(jw07);
        const Material* m = r.material("M", c.thickness, 0, "m.jpg");
        const int32_t id = c.dividersAround ? 1 : 0;
        Insert insert = panelInsert(m, id, id, id, id);
        insert.thicknessError = !c.error;
        system->adjustPanel(insert, c.dividersAround ? 0 : 120, c.dividersAround ? 0 : 470);
        EXPECT_EQ(insert.panelX, c.x);
        EXPECT_EQ(insert.panelY, c.y);
        EXPECT_EQ(insert.panelWidth, c.width);
        EXPECT_EQ(insert.panelHeight, c.height);
        EXPECT_EQ(insert.thicknessError, c.error);
    }
}

TEST_F(EngineGeometry, AdjustPanelWithoutMaterialChangesNothing) {
    DSSystemLantes lantes(1, "Лантес", 115);
    Insert insert = panelInsert(nullptr, 0, 0, 0, 0);
    insert.thicknessError = true;
    lantes.adjustPanel(insert, 120, 470);
    EXPECT_TRUE(insert.thicknessError);
    EXPECT_EQ(insert.panelX, 100);
}

TEST_F(EngineGeometry, EverySystemCalculatesWithoutHandleProfileOrArticles) {
    for (const char* name : {"Борвик", "Лантес", "Далвекс", "Сенфил-Н", "Герлит", "Венлор", "Фелдор",
                             "Кворин", "Зеркан", "Нордел"}) {
        SCOPED_TRACE(name);
        auto system = createSystem(0, name, 0);
        for (int doors : {1, 3, 10}) {
            DoorSketch sketch(30000, 20000, doors, nullptr, false);
            sketch.doors[0].inserts[1].material = r.material("M", 40, 100, "m.jpg");
            test::splitWhole(sketch.doors[0], 1, true, 100, nullptr);
            system->assignRows(sketch, options);
            system->recompute(sketch, options, false);
            system->recompute(sketch, options, true);
            sketch.numberItems();
            CalcResult result;
            system->collect(sketch, options, result, nullptr);
            result.computeItemsTotal();
            EXPECT_GE(sketch.doors[0].width, 0);
        }
    }
}

TEST_F(EngineGeometry, ExtremeDimensionsStayInRange) {
    const HandleProfile* handle = r.handle("H", INT32_MAX, INT32_MAX, INT32_MAX, 55000, 0, 1);
    for (const char* name : {"Борвик", "Лантес", "Фелдор", "Зеркан"}) {
        SCOPED_TRACE(name);
        auto system = createSystem(0, name, 0);
        DoorSketch sketch(INT32_MAX, INT32_MIN, 10, handle, false);
        system->recompute(sketch, options, false);
        sketch.doorCount = 0;
        system->recompute(sketch, options, false);
    }
}

} // namespace
} // namespace dalvex
