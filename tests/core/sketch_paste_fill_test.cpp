// Copying a door's layout onto another, selecting inserts and giving or taking their material.
#include "records/records.h"
#include "sketch/door_sketch.h"
#include "sketch_test_support.h"

#include <gtest/gtest.h>

namespace dalvex {
namespace {

using test::consistent;
using test::sizeDoor;

// Door 0 of 10000 x 20000 with a vertical divider at 9000 and a horizontal one right of it; door 1 as given.
DoorSketch sketchToCopy(int32_t targetWidth, const Material* m) {
    DoorSketch s(20000, 20000, 3, nullptr, false);
    sizeDoor(s.doors[0], 10000, 20000);
    sizeDoor(s.doors[1], targetWidth, 21000);
    sizeDoor(s.doors[2], 10000, 20000);
    test::splitDoorAt(s.doors[0], 9000, 10, true);
    test::splitDoorAt(s.doors[0], 9500, 5000, false);
    s.doors[0].insert(3)->material = m;
    return s;
}

TEST(SketchPasteTest, PasteNeedsTwoMillimetresRightOfTheLastVertical) {
    Material glass;
    struct Case {
        int32_t width;
        int result;
    };
    for (const Case& c : {Case{9010, 2}, Case{9020, 0}, Case{12000, 0}}) {
        DoorSketch s = sketchToCopy(c.width, &glass);
        test::splitDoorAt(s.doors[1], 3000, 10, true);
        const Door before = s.doors[1];
        s.resizePending = false;
        EXPECT_EQ(s.pasteDoor(0, 1), c.result) << c.width;
        const Door& target = s.doors[1];
        if (c.result != 0) {
            EXPECT_FALSE(s.resizePending);
            EXPECT_EQ(target.dividers.begin()->second.position, before.dividers.begin()->second.position);
            EXPECT_EQ(target.inserts.size(), before.inserts.size());
            continue;
        }
        EXPECT_TRUE(s.resizePending);
        EXPECT_EQ(target.width, c.width);
        EXPECT_EQ(target.height, 21000);
        EXPECT_EQ(target.dividers.size(), 2u);
        EXPECT_EQ(target.divider(1)->position, 9000);
        EXPECT_EQ(target.divider(2)->length, c.width - 9000); // recomputed for this door
        EXPECT_EQ(target.insert(3)->material, &glass);
        EXPECT_EQ(target.insert(3)->bottom, 21000);
        EXPECT_EQ(target.nextInsertId, s.doors[0].nextInsertId);
        EXPECT_TRUE(consistent(target));
        EXPECT_TRUE(consistent(s.doors[0]));
    }
}

TEST(SketchPasteTest, InvalidCombinationsAreRefused) {
    struct Case {
        int copied, target, doorCount;
    };
    for (const Case& c :
         {Case{0, 0, 3}, Case{0, 3, 3}, Case{3, 1, 3}, Case{-1, 1, 3}, Case{0, -4, 3}, Case{0, 1, 42}}) {
        DoorSketch s = sketchToCopy(12000, nullptr);
        s.doorCount = c.doorCount;
        const int expected = c.doorCount == 42 ? 0 : -1; // a count out of range is held to ten doors
        EXPECT_EQ(s.pasteDoor(c.copied, c.target), expected) << c.copied << " " << c.target;
    }
}

TEST(SketchPasteTest, PasteDropsReferencesThatNameNothing) {
    DoorSketch s = sketchToCopy(12000, nullptr);
    s.doors[0].divider(2)->endId = 99;
    ASSERT_EQ(s.pasteDoor(0, 1), 0);
    EXPECT_EQ(s.doors[1].divider(2)->endId, 0);

    Door& door = s.doors[2];
    EXPECT_EQ(door.pasteFrom(nullptr), 1);
    EXPECT_EQ(door.pasteFrom(&door), 0); // onto itself: the layout stays
    EXPECT_EQ(door.inserts.size(), 1u);
    EXPECT_TRUE(consistent(door));
}

TEST(SketchFillTest, SelectingAndFillingTheInsertUnderThePoint) {
    Material oak, glass;
    DoorSketch s(20000, 20000, 2, nullptr, false);
    for (int i = 0; i < 2; ++i)
        sizeDoor(s.doors[i], 10000, 20000);
    test::splitDoorAt(s.doors[1], 5000, 10, true);
    view::SketchLayout layout = test::layoutSketch(s);

    EXPECT_FALSE(view::insertAt(layout, s, {25000, 10}));
    const view::ItemAt at = view::insertAt(layout, s, {16000, 10});
    ASSERT_TRUE(at);
    EXPECT_EQ(at.door, 1);
    EXPECT_EQ(at.id, 2);
    SketchSelection selection;
    selection.insertDoor = at.door;
    selection.insertId = at.id;
    EXPECT_EQ(view::selectedInsertRect(layout, s, selection), (PixelRect{15000, 0, 20000, 20000}));

    ASSERT_TRUE(s.fillInsertAcrossDoors(1, 2, &glass, 0, 1));
    const Insert& ins = *s.doors[1].insert(2);
    EXPECT_EQ(ins.material, &glass);
    EXPECT_TRUE(ins.scaleByDoors);
    EXPECT_EQ(ins.scaleFirstDoor, 0);
    EXPECT_EQ(ins.scaleLastDoor, 1);
    // Ranges that leave out the insert's own door or reach past the doors change nothing.
    for (auto [from, to] : {std::pair{0, 0}, std::pair{-1, 1}, std::pair{1, 2}, std::pair{1, 0}}) {
        EXPECT_FALSE(s.fillInsertAcrossDoors(1, 2, &oak, from, to));
        EXPECT_EQ(ins.material, &glass) << from << ".." << to;
        EXPECT_EQ(ins.scaleFirstDoor, 0);
    }
    ASSERT_TRUE(s.fillInsert(1, 2, &oak));
    EXPECT_EQ(ins.material, &oak);
    EXPECT_FALSE(ins.scaleByDoors);
    EXPECT_EQ(s.doors[1].insert(1)->material, nullptr);

    EXPECT_FALSE(s.fillInsert(1, 9, &glass)); // no such insert: nothing filled
    EXPECT_EQ(ins.material, &oak);
}

TEST(SketchFillTest, TheHitOfTheLastHoverNamesTheInsertToClear) {
    DoorSketch s(20000, 20000, 2, nullptr, false);
    for (int i = 0; i < 2; ++i)
        sizeDoor(s.doors[i], 10000, 20000);
    view::SketchLayout layout = test::layoutSketch(s);
    EXPECT_FALSE(view::insertAt(layout, s, {25000, 10})); // nothing under the mouse
    EXPECT_EQ(layout.hit.kind, view::kHitNothing);

    const view::ItemAt at = view::insertAt(layout, s, {15000, 10});
    ASSERT_TRUE(at);
    EXPECT_EQ(layout.hit, (view::Hit{1, view::kHitInsert, -1, 1, 0}));
    // A layout out of date finds nothing to hover.
    layout.stale = true;
    EXPECT_EQ(view::hoverTest(layout, s, {15000, 10}).door, -1);
    EXPECT_EQ(layout.hit.kind, view::kHitNothing);
}

} // namespace
} // namespace dalvex
