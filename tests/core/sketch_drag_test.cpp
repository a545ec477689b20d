// Dragging a divider or the joint between two doors: the view's layout turns the release point into the move.
#include "records/records.h"
#include "sketch/door_sketch.h"
#include "sketch_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dalvex {
namespace {

using test::consistent;
using test::sizeDoor;

// Doors of 10000 x 20000 side by side, laid out at scale 1, the mouse over the joint (door 0's right side).
struct Laid {
    DoorSketch s;
    view::SketchLayout layout;

    explicit Laid(int count = 2) : s(10000 * count, 20000, count, nullptr, false) {
        for (int i = 0; i < count; ++i)
            sizeDoor(s.doors[i], 10000, 20000);
        layOut();
        hitFrame(0, kFrameRight);
    }
    void layOut() {
        const view::Hit hit = layout.hit;
        layout = test::layoutSketch(s);
        layout.hit = hit;
    }
    void hitFrame(int door, int side) { layout.hit = view::Hit{door, view::kHitFrame, side, 0, 0}; }
    bool dragTo(PixelPoint p) { return test::dragTo(layout, s, p); }
    std::pair<PixelRect, PixelRect> beginDrag() const { return view::beginDrag(layout, s); }
};

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
        Laid d;
        Article handle;
        handle.faceWidth = c.faceWidth;
        d.s.doors[1].frame[kFrameLeft].profile = &handle;
        test::splitDoorAt(d.s.doors[0], 5000, 10, true);
        d.layOut();
        EXPECT_EQ(d.dragTo({c.x, 100}), c.taken) << c.x;
        EXPECT_EQ(d.s.doors[0].width, c.left) << c.x;
        EXPECT_EQ(d.s.doors[1].width, c.right) << c.x;
        // The divider keeps its proportion in the resized door.
        EXPECT_EQ(d.s.doors[0].dividers.begin()->second.position, c.left / 2);
        EXPECT_TRUE(consistent(d.s.doors[0]));
        EXPECT_TRUE(consistent(d.s.doors[1]));
    }
}

TEST(SketchDragTest, JointOfTheLastDoorIsTheOneBeforeIt) {
    Laid d(3);
    d.hitFrame(2, kFrameLeft);
    ASSERT_TRUE(d.dragTo({20000 + 2000, 100}));
    EXPECT_EQ(d.s.doors[0].width, 10000);
    EXPECT_EQ(d.s.doors[1].width, 12000);
    EXPECT_EQ(d.s.doors[2].width, 8000);
}

TEST(SketchDragTest, NoJointWithoutASecondDoorOrAUsableScale) {
    Laid single(1);
    EXPECT_FALSE(single.dragTo({5000, 100}));
    EXPECT_EQ(single.s.doors[0].width, 10000);

    for (double scale : {0.0, std::nan(""), -2.0}) {
        Laid d;
        d.layout.scale = scale;
        EXPECT_FALSE(d.dragTo({12000, 100}));
        EXPECT_EQ(d.s.doors[0].width, 10000);
    }
    Laid nothing;
    nothing.layout.clearHits();
    EXPECT_FALSE(nothing.dragTo({12000, 100}));
    EXPECT_EQ(nothing.beginDrag(), (std::pair<PixelRect, PixelRect>{}));
}

TEST(SketchDragTest, DividerDragRoundsToTheGrid) {
    Laid d;
    d.layout.clearHits();
    Door& door = d.s.doors[1];
    const int32_t v = test::splitDoorAt(door, 5000, 10, true);
    d.layOut();
    ASSERT_TRUE(view::dividerAt(d.layout, d.s, {15000, 300}));
    EXPECT_TRUE(d.dragTo({16049, 300}));
    EXPECT_EQ(door.divider(v)->position, 6000);
    EXPECT_TRUE(consistent(door));
    EXPECT_FALSE(d.dragTo({10100, 300})); // 100: the left insert would be 10 mm
    EXPECT_EQ(door.divider(v)->position, 6000);
}

TEST(SketchDragTest, DragLimitsReachTheNeighbours) {
    Laid d(3);
    d.layout.doors[0].frame[kFrameLeft] = {0, 0, 30, 20000};
    d.layout.doors[1].frame[kFrameRight] = {19960, 0, 20000, 20000};
    auto [limits, dragRect] = d.beginDrag();
    EXPECT_EQ(dragRect, (PixelRect{9996, 0, 10000, 20000}));
    EXPECT_EQ(limits, (PixelRect{30, 0, 19960, 20000}));

    d.hitFrame(2, kFrameLeft);
    d.layout.doors[1].frame[kFrameLeft] = {10000, 0, 10040, 20000};
    std::tie(limits, dragRect) = d.beginDrag();
    EXPECT_EQ(limits.left, 10040);
    EXPECT_EQ(limits.right, 29996);

    d.hitFrame(2, 7); // a side that does not exist
    EXPECT_EQ(d.beginDrag(), (std::pair<PixelRect, PixelRect>{}));

    d.layout.clearHits();
    Door& door = d.s.doors[1];
    const int32_t v = test::splitDoorAt(door, 4000, 10, true);
    d.layOut();
    ASSERT_TRUE(view::dividerAt(d.layout, d.s, {14000, 10}));
    std::tie(limits, dragRect) = d.beginDrag();
    EXPECT_EQ(dragRect, d.layout.doors[1].divider(v));
    EXPECT_EQ(limits, (PixelRect{10000, 0, 20000, 20000}));
}

} // namespace
} // namespace dalvex
