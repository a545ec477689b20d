// Splitting an insert with a new divider: grid rounding, the smallest part and the references it creates.
#include "records/records.h"
#include "sketch/door_sketch.h"
#include "sketch_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace dalvex {
namespace {

using test::consistent;
using test::sizeDoor;

Door plainDoor() {
    Door door;
    sizeDoor(door, 10000, 20000);
    return door;
}

TEST(SketchSplitTest, PositionsAreRoundedToTheGridAndKeepTwentyMillimetres) {
    struct Case {
        int at;
        bool taken;
        int32_t position;
    };
    for (const Case& c : {Case{1234, true, 1200}, Case{140, false, 0}, Case{150, true, 200},
                          Case{9850, false, 0}, Case{9849, true, 9800}, Case{249, true, 200}}) {
        for (bool vertical : {true, false}) {
            Door door; // square, so both orientations meet the same limits
            sizeDoor(door, 10000, 10000);
            const PixelPoint p = vertical ? PixelPoint{c.at, 500} : PixelPoint{500, c.at};
            Divider* d = test::splitAt(door, p, nullptr, vertical);
            ASSERT_EQ(d != nullptr, c.taken) << c.at;
            if (!d) {
                EXPECT_TRUE(door.dividers.empty());
                EXPECT_EQ(door.inserts.size(), 1u);
                EXPECT_EQ(door.nextDividerId, 1);
                continue;
            }
            EXPECT_EQ(d->position, c.position);
            EXPECT_EQ(d->vertical, vertical ? 1 : 0);
            EXPECT_EQ(d->length, 10000);
            EXPECT_TRUE(consistent(door));
        }
    }
}

TEST(SketchSplitTest, ScaleAndDoorOffsetAreTakenIntoAccount) {
    Door door = plainDoor();
    view::DoorLayout layout;
    layout.rect = {100, 50, 100 + 5000, 50 + 10000}; // the same door drawn at half size from (100, 50)
    layout.inserts[1] = layout.rect;
    Divider* d = test::splitAt(door, layout, {100 + 617, 300}, nullptr, true, 0.5); // 617 / 0.5 = 1234
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->position, 1200);
}

TEST(SketchSplitTest, ScalesThatCannotBeDividedByAreRefused) {
    for (double scale : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        Door door = plainDoor();
        EXPECT_EQ(test::splitAt(door, test::layoutDoor(door), {5000, 500}, nullptr, true, scale), nullptr)
            << scale;
        EXPECT_TRUE(door.dividers.empty());
    }
    // A tiny scale makes the offset enormous; it clamps and is then refused as outside the insert.
    Door door = plainDoor();
    EXPECT_EQ(test::splitAt(door, test::layoutDoor(door), {5000, 500}, nullptr, true, 1e-300), nullptr);
}

TEST(SketchSplitTest, NarrowInsertTakesTheSplitOnlyWithTwentyMillimetresEachSide) {
    Door door = plainDoor();
    ASSERT_NE(test::splitDoorAt(door, 5000, 10, true), 0);
    ASSERT_NE(test::splitDoorAt(door, 6000, 10, true), 0); // the insert 5000..6000
    EXPECT_EQ(test::splitAt(door, {5900, 10}, nullptr, true), nullptr);
    EXPECT_EQ(test::splitAt(door, {5149, 10}, nullptr, true), nullptr); // rounds to 5100
    ASSERT_EQ(door.dividers.size(), 2u);
    Divider* d = test::splitAt(door, {5800, 10}, nullptr, true);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->position, 5800);
    EXPECT_TRUE(consistent(door));
}

TEST(SketchSplitTest, NewInsertCopiesTheOldOneAndTakesTheFarPart) {
    Material glass;
    DividerProfile profile;
    Door door = plainDoor();
    Insert& first = *door.insert(1);
    first.material = &glass;
    first.scaleByDoors = true;
    first.scaleLastDoor = 2;
    first.panelWidth = 9000;
    Divider* h = test::splitAt(door, {3000, 8049}, &profile, false);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->profile, &profile);
    EXPECT_EQ(h->position, 8000);
    EXPECT_EQ(h->startId, 0);
    EXPECT_EQ(h->endId, 0);
    EXPECT_EQ(door.nextDividerId, 2);
    EXPECT_EQ(door.nextInsertId, 3);
    const Insert& upper = *door.insert(1);
    const Insert& lower = *door.insert(2);
    EXPECT_EQ(upper.bottom, 8000);
    EXPECT_EQ(upper.bottomId, 1);
    EXPECT_EQ(lower.top, 8000);
    EXPECT_EQ(lower.topId, 1);
    EXPECT_EQ(lower.bottom, 20000);
    EXPECT_EQ(lower.material, &glass);
    EXPECT_TRUE(lower.scaleByDoors);
    EXPECT_EQ(lower.scaleLastDoor, 2);
    EXPECT_EQ(lower.panelWidth, 9000);
}

TEST(SketchSplitTest, CountersThatWouldCollideOrOverflowAreNotUsed) {
    Door door = plainDoor();
    door.nextDividerId = -5; // as a damaged file might leave it
    door.nextInsertId = 1;   // already taken
    ASSERT_NE(test::splitAt(door, {5000, 10}, nullptr, true), nullptr);
    EXPECT_EQ(door.dividers.begin()->first, 1);
    EXPECT_EQ(door.inserts.rbegin()->first, 2);
    EXPECT_TRUE(consistent(door));

    Door full = plainDoor();
    full.nextInsertId = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(test::splitAt(full, {5000, 10}, nullptr, true), nullptr);
    EXPECT_TRUE(full.dividers.empty());
}

TEST(SketchSplitTest, ADoorStopsTakingSplitsAtItsInsertLimit) {
    // Strips 20 mm wide on a door wide enough for more than the limit.
    Door door;
    sizeDoor(door, 1'000'000, 20000);
    for (int32_t k = 1; k < kMaxInserts; ++k)
        ASSERT_NE(test::splitDoorAt(door, 200 * k, 100, true), 0) << k;
    ASSERT_EQ(door.inserts.size(), static_cast<std::size_t>(kMaxInserts));
    EXPECT_EQ(test::splitDoorAt(door, 900'000, 100, true), 0);
    EXPECT_EQ(test::splitDoorAt(door, 900'000, 10000, false), 0);
    EXPECT_EQ(door.inserts.size(), static_cast<std::size_t>(kMaxInserts));
}

TEST(SketchSplitTest, SketchSplitsInTheFirstVisibleDoor) {
    DoorSketch s(20000, 20000, 2, nullptr, false);
    for (int i = 0; i < 2; ++i)
        sizeDoor(s.doors[i], 10000, 20000);
    view::SketchLayout layout = test::layoutSketch(s);
    ASSERT_TRUE(test::splitAt(layout, s, {13000, 500}, nullptr, true));
    ASSERT_EQ(s.doors[1].dividers.size(), 1u);
    EXPECT_EQ(s.doors[1].dividers.begin()->second.position, 3000);
    EXPECT_TRUE(s.doors[0].dividers.empty());

    // Only the current door is looked at when one door is shown.
    layout.currentDoor = 0;
    EXPECT_FALSE(test::splitAt(layout, s, {15000, 500}, nullptr, true));
    EXPECT_EQ(s.doors[1].dividers.size(), 1u);
}

} // namespace
} // namespace dalvex
