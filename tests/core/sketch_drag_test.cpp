// Dragging a divider or the joint between two doors.
#include "records/records.h"
#include "sketch/door_sketch.h"
#include "sketch_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dalvex {
namespace {

using test::consistent;
using test::sizeDoor;

// Two doors of 10000 x 20000 side by side, laid out at scale 1, the mouse over the joint (door 0's right
// side).
DoorSketch twoDoors(int count = 2) {
    DoorSketch s(10000 * count, 20000, count, nullptr, false);
    for (int i = 0; i < count; ++i)
        sizeDoor(s.doors[i], 10000, 20000);
    test::layoutSketch(s);
    s.doors[0].hitKind = kHitFrame;
    s.doors[0].hitFrame = kFrameRight;
    s.dirty = false;
    return s;
}

TEST(SketchDragTest, JointMovesInMillimetreStepsAndKeepsTheTotal) {
    struct Case {
        int x;
        int32_t faceWidth;
        bool taken;
        int32_t left, right;
    };
    const Case cases[] = {
        {10000 + 5003, 0, true, 15000, 5000},
        {10000 + 5003 + 10, 20, true, 15000, 5000}, // half the profile is taken off
        {10000 - 3007, 0, true, 7000, 13000},
        {10000 + 9010, 0, false, 10000, 10000}, // would leave 990
        {10000 + 9000, 0, true, 19000, 1000},
        {10000 - 9010, 0, false, 10000, 10000},
        {10000, 0, true, 10000, 10000}, // on the joint: no change
    };
    for (const Case& c : cases) {
        DoorSketch s = twoDoors();
        Article handle;
        handle.faceWidth = c.faceWidth;
        s.doors[1].frame[kFrameLeft].profile = &handle;
        test::splitDoorAt(s.doors[0], 5000, 10, true);
        test::layoutSketch(s);
        s.doors[0].hitKind = kHitFrame; // the split's own hit test replaced the joint
        s.dirty = false;
        EXPECT_EQ(s.dragTo({c.x, 100}), c.taken) << c.x;
        EXPECT_EQ(s.dirty, c.taken);
        EXPECT_EQ(s.doors[0].width, c.left) << c.x;
        EXPECT_EQ(s.doors[1].width, c.right) << c.x;
        EXPECT_EQ(s.selectedDividerDoor, 0);
        EXPECT_EQ(s.selectedDivider(), nullptr);
        // The divider keeps its proportion in the resized door.
        EXPECT_EQ(s.doors[0].dividers.begin()->second.position, c.left / 2);
        EXPECT_TRUE(consistent(s.doors[0]));
        EXPECT_TRUE(consistent(s.doors[1]));
    }
}

TEST(SketchDragTest, JointOfTheLastDoorIsTheOneBeforeIt) {
    DoorSketch s = twoDoors(3);
    s.doors[0].clearHits();
    s.doors[2].hitKind = kHitFrame;
    s.doors[2].hitFrame = kFrameLeft;
    ASSERT_TRUE(s.dragTo({20000 + 2000, 100}));
    EXPECT_EQ(s.doors[0].width, 10000);
    EXPECT_EQ(s.doors[1].width, 12000);
    EXPECT_EQ(s.doors[2].width, 8000);
}

TEST(SketchDragTest, NoJointWithoutASecondDoorOrAUsableScale) {
    DoorSketch single = twoDoors(1);
    EXPECT_FALSE(single.dragTo({5000, 100}));
    EXPECT_EQ(single.doors[0].width, 10000);

    for (double scale : {0.0, std::nan(""), -2.0}) {
        DoorSketch s = twoDoors();
        s.scale = scale;
        EXPECT_FALSE(s.dragTo({12000, 100}));
        EXPECT_EQ(s.doors[0].width, 10000);
    }
    DoorSketch nothing = twoDoors();
    nothing.clearHits();
    EXPECT_FALSE(nothing.dragTo({12000, 100}));
    EXPECT_EQ(nothing.beginDrag(), (std::pair<PixelRect, PixelRect>{}));
}

TEST(SketchDragTest, DividerDragRoundsToTheGridAndSelectsTheDivider) {
    DoorSketch s = twoDoors();
    s.doors[0].clearHits();
    Door& door = s.doors[1];
    const int32_t v = test::splitDoorAt(door, 5000, 10, true);
    test::layoutSketch(s);
    ASSERT_NE(door.dividerAt({15000, 300}), nullptr);
    EXPECT_TRUE(s.dragTo({16049, 300}));
    EXPECT_EQ(door.divider(v)->position, 6000);
    EXPECT_EQ(s.selectedDividerDoor, 1);
    EXPECT_EQ(s.selectedDivider(), door.divider(v));
    EXPECT_TRUE(consistent(door));
    s.dirty = false;
    EXPECT_FALSE(s.dragTo({10100, 300})); // 100: the left insert would be 10 mm
    EXPECT_FALSE(s.dirty);
    EXPECT_EQ(door.divider(v)->position, 6000);
}

TEST(SketchDragTest, DragLimitsReachTheNeighbours) {
    DoorSketch s = twoDoors(3);
    s.doors[0].frame[kFrameLeft].rect = {0, 0, 30, 20000};
    s.doors[1].frame[kFrameRight].rect = {19960, 0, 20000, 20000};
    auto [limits, dragRect] = s.beginDrag();
    EXPECT_EQ(dragRect, (PixelRect{9996, 0, 10000, 20000}));
    EXPECT_EQ(limits, (PixelRect{30, 0, 19960, 20000}));

    s.doors[0].clearHits();
    s.doors[2].hitKind = kHitFrame;
    s.doors[2].hitFrame = kFrameLeft;
    s.doors[1].frame[kFrameLeft].rect = {10000, 0, 10040, 20000};
    std::tie(limits, dragRect) = s.beginDrag();
    EXPECT_EQ(limits.left, 10040);
    EXPECT_EQ(limits.right, 29996);

    s.doors[2].hitFrame = 7; // a side that does not exist
    EXPECT_EQ(s.beginDrag(), (std::pair<PixelRect, PixelRect>{}));

    s.doors[2].clearHits();
    Door& door = s.doors[1];
    const int32_t v = test::splitDoorAt(door, 4000, 10, true);
    test::layoutSketch(s);
    ASSERT_NE(door.dividerAt({14000, 10}), nullptr);
    std::tie(limits, dragRect) = s.beginDrag();
    EXPECT_EQ(dragRect, door.divider(v)->rect);
    EXPECT_EQ(limits, (PixelRect{10000, 0, 20000, 20000}));
}

} // namespace
} // namespace dalvex
