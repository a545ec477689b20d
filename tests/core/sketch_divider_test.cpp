// Removing, moving and spreading dividers inside a door.
#include "records/records.h"
#include "sketch/door_sketch.h"
#include "sketch_test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace dalvex {
namespace {

using test::consistent;
using test::sizeDoor;
using test::splitDoorAt;

Door plainDoor() {
    Door door;
    sizeDoor(door, 10000, 20000);
    return door;
}

TEST(SketchDividerTest, AbuttedDividersGoOnlyAfterThoseThatAbutThem) {
    Door door = plainDoor();
    const int32_t v1 = splitDoorAt(door, 3000, 10, true);
    const int32_t v2 = splitDoorAt(door, 7000, 10, true);
    const int32_t h = splitDoorAt(door, 5000, 10000, false);
    ASSERT_TRUE(v1 && v2 && h);
    const Divider& hd = *door.divider(h);
    EXPECT_EQ(hd.startId, v1);
    EXPECT_EQ(hd.endId, v2);
    EXPECT_EQ(hd.length, 4000);
    ASSERT_TRUE(consistent(door));

    EXPECT_FALSE(door.removeDivider(v1));
    EXPECT_FALSE(door.removeDivider(v2));
    EXPECT_EQ(door.dividers.size(), 3u);
    EXPECT_TRUE(consistent(door));

    EXPECT_TRUE(door.removeDivider(h));
    EXPECT_TRUE(consistent(door));
    EXPECT_TRUE(door.removeDivider(v1));
    EXPECT_TRUE(consistent(door));
    EXPECT_TRUE(door.removeDivider(v2));
    EXPECT_TRUE(consistent(door));
}

TEST(SketchDividerTest, RemovingTheOnlyDividerRestoresTheFirstInsert) {
    Material oak, glass;
    for (bool vertical : {true, false}) {
        Door door = plainDoor();
        door.insert(1)->material = &oak;
        const int32_t d = splitDoorAt(door, 5000, 5000, vertical);
        door.insert(2)->material = &glass;
        ASSERT_TRUE(door.removeDivider(d));
        ASSERT_EQ(door.inserts.size(), 1u);
        const Insert& only = door.inserts.begin()->second;
        EXPECT_EQ(door.inserts.begin()->first, 1);
        EXPECT_EQ(only.material, &oak);
        EXPECT_EQ(only.right, 10000);
        EXPECT_EQ(only.bottom, 20000);
        EXPECT_EQ(only.rightId, 0);
        EXPECT_EQ(only.bottomId, 0);
        EXPECT_EQ(door.insert(2), nullptr);
        EXPECT_EQ(door.nextInsertId, 3); // ids are never reused
        EXPECT_TRUE(consistent(door));
    }
}

TEST(SketchDividerTest, RemovingUnknownOrInconsistentDividersIsRefused) {
    Door door = plainDoor();
    EXPECT_FALSE(door.removeDivider(0));
    EXPECT_FALSE(door.removeDivider(5));
    const int32_t v = splitDoorAt(door, 5000, 10, true);
    door.insert(2)->left = 4000; // no insert faces the divider on its far side any more
    EXPECT_FALSE(door.removeDivider(v));
    EXPECT_FALSE(door.moveDivider(v, 6000));
    EXPECT_EQ(door.inserts.size(), 2u);
}

TEST(SketchDividerTest, MovingAVerticalDividerCarriesOnlyWhatLiesBesideIt) {
    // A horizontal divider across the door at 10000; above it a vertical at 5000 and below another one at the
    // same position; right of the upper vertical a horizontal at 4000 that starts at it, left of it one at
    // 6000 that ends at it.
    Door door = plainDoor();
    const int32_t across = splitDoorAt(door, 10, 10000, false);
    const int32_t upper = splitDoorAt(door, 5000, 100, true);
    const int32_t lower = splitDoorAt(door, 5000, 15000, true);
    const int32_t rightOf = splitDoorAt(door, 7000, 4000, false);
    const int32_t leftOf = splitDoorAt(door, 2000, 6000, false);
    ASSERT_TRUE(across && upper && lower && rightOf && leftOf);
    ASSERT_EQ(door.divider(rightOf)->startId, upper);
    ASSERT_EQ(door.divider(leftOf)->endId, upper);
    ASSERT_TRUE(consistent(door));

    ASSERT_TRUE(door.moveDivider(upper, 4000));
    EXPECT_EQ(door.divider(upper)->position, 4000);
    EXPECT_EQ(door.divider(upper)->length, 10000);
    EXPECT_EQ(door.divider(rightOf)->length, 6000);
    EXPECT_EQ(door.divider(leftOf)->length, 4000);
    EXPECT_EQ(door.divider(lower)->position, 5000);
    EXPECT_TRUE(consistent(door));

    struct Case {
        int32_t to;
        bool moved;
    };
    for (const Case& c : {Case{199, false}, Case{200, true}, Case{9800, true}, Case{9801, false},
                          Case{std::numeric_limits<int32_t>::min(), false},
                          Case{std::numeric_limits<int32_t>::max(), false}}) {
        EXPECT_EQ(door.moveDivider(upper, c.to), c.moved) << c.to;
        EXPECT_TRUE(consistent(door));
    }
    EXPECT_FALSE(door.moveDivider(77, 5000));
}

TEST(SketchDividerTest, MovingIsBlockedByTheNarrowestNeighbour) {
    Door door = plainDoor();
    const int32_t v = splitDoorAt(door, 5000, 10, true);
    splitDoorAt(door, 100, 10000, false);
    splitDoorAt(door, 3000, 15000, true); // lower left insert now ends at 3000 on its left
    EXPECT_FALSE(door.moveDivider(v, 3100));
    EXPECT_TRUE(door.moveDivider(v, 3200));
    EXPECT_TRUE(consistent(door));
}

TEST(SketchDividerTest, AligningSpreadsInTheOrderOfTheAxes) {
    Door door = plainDoor();
    // Created out of order, so the ids do not give the order.
    const int32_t at15000 = splitDoorAt(door, 10, 15000, false);
    const int32_t at3000 = splitDoorAt(door, 10, 3000, false);
    const int32_t at4000 = splitDoorAt(door, 10, 4000, false);
    const int32_t vertical = splitDoorAt(door, 2500, 10, true); // in the top insert, must not move
    for (auto& [id, d] : door.dividers)
        d.axis = d.position;
    door.alignDividers(false);
    EXPECT_EQ(door.divider(at3000)->position, 5000);
    EXPECT_EQ(door.divider(at4000)->position, 10000);
    EXPECT_EQ(door.divider(at15000)->position, 15000);
    EXPECT_EQ(door.divider(vertical)->position, 2500);
    EXPECT_EQ(door.divider(vertical)->length, 5000);
    EXPECT_TRUE(consistent(door));

    door.alignDividers(true);
    EXPECT_EQ(door.divider(vertical)->position, 5000);
    EXPECT_TRUE(consistent(door));
}

TEST(SketchDividerTest, AligningSkipsTheMovesThatAreRefused) {
    Door door;
    sizeDoor(door, 10000, 1000);
    const int32_t a = splitDoorAt(door, 300, 10, true);
    const int32_t b = splitDoorAt(door, 600, 10, true);
    for (auto& [id, d] : door.dividers)
        d.axis = d.position;
    door.alignDividers(false); // no horizontals: nothing happens
    EXPECT_EQ(door.divider(a)->position, 300);
    door.alignDividers(true);
    EXPECT_EQ(door.divider(a)->position, 3333);
    EXPECT_EQ(door.divider(b)->position, 6666);
    EXPECT_TRUE(consistent(door));
    door.width = 0; // no room at all: every move is refused, nothing breaks
    door.alignDividers(true);
    EXPECT_EQ(door.divider(a)->position, 3333);
    EXPECT_EQ(door.divider(b)->position, 6666);
}

TEST(SketchDividerTest, SketchRemovesTheDividerUnderThePoint) {
    DoorSketch s(20000, 20000, 2, nullptr, false);
    for (int i = 0; i < 2; ++i)
        sizeDoor(s.doors[i], 10000, 20000);
    const int32_t v = splitDoorAt(s.doors[1], 4000, 10, true);
    view::SketchLayout layout = test::layoutSketch(s);
    EXPECT_FALSE(test::removeDividerAt(layout, s, {13000, 500})); // an insert, not a divider
    EXPECT_EQ(s.doors[1].dividers.size(), 1u);
    EXPECT_TRUE(test::removeDividerAt(layout, s, {14000, 500}));
    EXPECT_EQ(s.doors[1].divider(v), nullptr);
    EXPECT_TRUE(s.doors[1].dividers.empty());
}

} // namespace
} // namespace dalvex
