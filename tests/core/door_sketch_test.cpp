// The door sketch model: construction, rescaling, neighbours of a divider, numbering and the sketch queries.
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
using test::splitDoorAt;

TEST(DoorSketchTest, NewSketchHasOneInsertPerDoorAndAlternatingRows) {
    for (bool singleRow : {false, true}) {
        DoorSketch s(30000, 20000, 4, nullptr, singleRow);
        EXPECT_EQ(s.doorCount, 4);
        EXPECT_EQ(s.previousDoorCount, 4);
        EXPECT_EQ(s.previousWidth, 30000);
        EXPECT_EQ(s.previousHeight, 20000);
        EXPECT_TRUE(s.resizePending);
        for (int i = 0; i < kMaxDoors; ++i) {
            const Door& d = s.doors[i];
            EXPECT_EQ(d.index, i);
            EXPECT_EQ(d.row, singleRow ? 0 : i % 2) << i;
            ASSERT_EQ(d.inserts.size(), 1u);
            EXPECT_EQ(d.inserts.begin()->first, 1);
            EXPECT_TRUE(d.dividers.empty());
            EXPECT_EQ(d.nextInsertId, 2);
            EXPECT_EQ(d.nextDividerId, 1);
        }
    }
}

struct RescaleCase {
    int32_t width, height; // before
    bool vertical;
    int32_t position;
    int32_t newWidth, newHeight;
    int32_t expected;
};

TEST(DoorSketchTest, RescaleKeepsDividerProportions) {
    const RescaleCase cases[] = {
        {10000, 20000, true, 5000, 8000, 20000, 4000},
        {10000, 20000, false, 7000, 10000, 21000, 7350},
        {10000, 20000, true, 3300, 10003, 20000, 3300},  // 3300.99 truncated toward zero
        {10000, 20000, false, 7000, 12000, 20000, 7000}, // width only: horizontals stay
    };
    for (const auto& c : cases) {
        Door door;
        sizeDoor(door, c.width, c.height);
        const int32_t id =
            splitDoorAt(door, c.vertical ? c.position : 10, c.vertical ? 10 : c.position, c.vertical);
        ASSERT_NE(id, 0);
        door.width = c.newWidth;
        door.height = c.newHeight;
        door.rescale(false);
        EXPECT_EQ(door.divider(id)->position, c.expected) << c.position;
        EXPECT_EQ(door.previousWidth, c.newWidth);
        EXPECT_EQ(door.previousHeight, c.newHeight);
        EXPECT_TRUE(consistent(door));
    }
}

TEST(DoorSketchTest, RescaleWithoutChangeOrPreviousSize) {
    Door door;
    sizeDoor(door, 10000, 20000);
    const int32_t id = splitDoorAt(door, 5000, 10, true);
    door.divider(id)->length = 1; // stale: only a forced rescale recomputes it
    door.rescale(false);
    EXPECT_EQ(door.divider(id)->length, 1);
    door.rescale(true);
    EXPECT_EQ(door.divider(id)->length, 20000);
    EXPECT_EQ(door.divider(id)->position, 5000);

    // No previous width: vertical positions cannot be scaled and stay.
    door.previousWidth = 0;
    door.width = 30000;
    door.rescale(false);
    EXPECT_EQ(door.divider(id)->position, 5000);
    EXPECT_TRUE(consistent(door));

    // A previous height of 0 never divides.
    Door flat;
    sizeDoor(flat, 10000, 20000);
    const int32_t h = splitDoorAt(flat, 10, 4000, false);
    flat.previousHeight = 0;
    flat.height = 30000;
    flat.rescale(false);
    EXPECT_EQ(flat.divider(h)->position, 4000);
}

TEST(DoorSketchTest, AdjacentInsertsChooseTheNarrowest) {
    // A vertical divider at 3000 with two stacked inserts on its left, 3000 and 2500 wide.
    Door door;
    sizeDoor(door, 10000, 20000);
    const int32_t v = splitDoorAt(door, 3000, 10, true);
    splitDoorAt(door, 100, 10000, false); // left column split into an upper and a lower insert
    const int32_t v2 = splitDoorAt(door, 500, 15000, true);
    ASSERT_NE(v2, 0);
    ASSERT_TRUE(consistent(door));
    const auto [before, after] = door.adjacentInserts(*door.divider(v));
    ASSERT_NE(before, 0);
    EXPECT_EQ(door.insert(before)->left, 500); // the lower-right piece, 2500 wide
    EXPECT_EQ(door.insert(after)->left, 3000);
    EXPECT_EQ(door.extentsAround(*door.divider(v)), std::make_pair(2500, 7000));

    Divider stray; // bounds that name nothing and a span holding no insert
    stray.position = 4321;
    stray.startId = 99;
    EXPECT_EQ(door.adjacentInserts(stray), std::make_pair(0, 0));
    EXPECT_EQ(door.extentsAround(stray), std::make_pair(0, 0));
    EXPECT_EQ(door.panelPositionFor(stray, 100, true), 4321);
    EXPECT_EQ(door.panelSizeBeside(stray, false), 0);
}

TEST(DoorSketchTest, PanelHelpersUseThePanelsBesideTheDivider) {
    Door door;
    sizeDoor(door, 10000, 20000);
    const int32_t v = splitDoorAt(door, 4000, 10, true);
    Insert& left = *door.insert(1);
    Insert& right = *door.insert(2);
    left.panelX = 300;
    left.panelWidth = 3600;
    right.panelX = 4100;
    right.panelWidth = 5600;
    const Divider& d = *door.divider(v);
    EXPECT_EQ(door.panelPositionFor(d, 2000, false), 2300);
    EXPECT_EQ(door.panelPositionFor(d, 2000, true), 7700);
    EXPECT_EQ(door.panelSizeBeside(d, false), 3600);
    EXPECT_EQ(door.panelSizeBeside(d, true), 5600);
}

TEST(DoorSketchTest, NumberingRunsProfilesAcrossDoorsAndInsertsSeparately) {
    Article side;
    DividerProfile dividerProfile;
    DoorSketch s(20000, 20000, 2, nullptr, false);
    for (int i = 0; i < 2; ++i)
        sizeDoor(s.doors[i], 10000, 20000);
    for (auto& f : s.doors[0].frame)
        f.profile = &side;
    ASSERT_TRUE(test::splitAt(s.doors[0], {5000, 10}, &dividerProfile, true));
    s.doors[1].frame[kFrameLeft].profile = &side;
    s.doors[1].frame[kFrameRight].profile = &side;
    s.numberItems();
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(s.doors[0].frame[k].number, k + 1);
    EXPECT_EQ(s.doors[0].dividers.begin()->second.number, 5);
    EXPECT_EQ(s.doors[1].frame[kFrameLeft].number, 6);
    EXPECT_EQ(s.doors[1].frame[kFrameTop].number, 0);
    EXPECT_EQ(s.doors[1].frame[kFrameRight].number, 7);
    EXPECT_EQ(s.profileCount, 8);
    EXPECT_EQ(s.doors[0].insert(1)->number, 1);
    EXPECT_EQ(s.doors[0].insert(2)->number, 2);
    EXPECT_EQ(s.doors[1].insert(1)->number, 3);

    s.doorCount = 0;
    s.numberItems();
    EXPECT_EQ(s.profileCount, 1);
}

TEST(DoorSketchTest, OverlapsAndRemainder) {
    struct Case {
        std::array<int32_t, 3> rows;
        int overlaps;
    };
    for (const Case& c : {Case{{0, 1, 0}, 2}, Case{{0, 0, 1}, 1}, Case{{1, 1, 1}, 0}}) {
        DoorSketch s(30000, 20000, 3, nullptr, false);
        for (int i = 0; i < 3; ++i)
            s.doors[i].row = c.rows[i];
        s.doors[3].row = 0; // beyond the count: not a neighbour
        EXPECT_EQ(s.overlapCount(), c.overlaps);
    }
    DoorSketch s(30000, 20000, 3, nullptr, false);
    s.doorsTotalWidth = 30300;
    for (int i = 0; i < 3; ++i)
        s.doors[i].width = 10100;
    s.doors[3].width = 5000;
    EXPECT_EQ(s.remainder(), 0);
    s.doors[2].width = 10000;
    EXPECT_EQ(s.remainder(), 100);
    s.doorCount = 42; // held to the array
    s.doorsTotalWidth = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(s.remainder(), std::numeric_limits<int32_t>::min());
    EXPECT_GE(s.overlapCount(), 0);
}

TEST(DoorSketchTest, VisibleDoorsSelectionAndDividerQueries) {
    struct Case {
        int32_t doorCount, currentDoor, begin, end;
    };
    for (const Case& c :
         {Case{3, -1, 0, 3}, Case{3, 5, 5, 6}, Case{12, -1, 0, 10}, Case{-2, -1, 0, 0}, Case{3, 10, 0, 0}}) {
        view::SketchLayout layout;
        layout.currentDoor = c.currentDoor;
        EXPECT_EQ(layout.visibleBegin(), c.begin);
        EXPECT_EQ(layout.visibleEnd(c.doorCount), c.end);
    }

    DoorSketch s(30000, 20000, 3, nullptr, false);
    view::SketchLayout layout;
    SketchSelection selection;
    EXPECT_TRUE(view::selectedInsertRect(layout, s, selection).isEmpty());
    selection.insertDoor = 1;
    selection.insertId = 1;
    layout.doors[1].inserts[1] = {10, 20, 30, 40};
    EXPECT_NE(selectedInsert(s, selection), nullptr);
    EXPECT_EQ(view::selectedInsertRect(layout, s, selection), (PixelRect{10, 20, 30, 40}));
    layout.currentDoor = 0; // the selection lies in a door not shown
    EXPECT_TRUE(view::selectedInsertRect(layout, s, selection).isEmpty());
    layout.currentDoor = -1;
    for (const auto& [door, id] : {std::pair{2, 77}, std::pair{4, 1}}) { // names nothing; a door not in use
        SketchSelection other;
        other.insertDoor = door;
        other.insertId = id;
        EXPECT_EQ(selectedInsert(s, other), nullptr);
        EXPECT_TRUE(view::selectedInsertRect(layout, s, other).isEmpty());
        dropVanished(other, s);
        EXPECT_FALSE(other.hasInsert());
    }

    sizeDoor(s.doors[1], 10000, 20000);
    splitDoorAt(s.doors[1], 10, 5000, false);
    EXPECT_TRUE(s.hasDivider(1, false));
    EXPECT_FALSE(s.hasDivider(1, true));
    EXPECT_FALSE(s.hasDivider(3, false));
    EXPECT_FALSE(s.hasDivider(-1, false));
    s.doorCount = 1;
    EXPECT_FALSE(s.hasDivider(1, false));

    layout.hit = view::Hit{4, view::kHitInsert, -1, 1, 0};
    layout.cursorKind = 2;
    layout.clearHits();
    EXPECT_EQ(layout.hit, view::Hit{});
    EXPECT_EQ(layout.cursorKind, 0);

    s.doorCount = 3;
    selection.dividerDoor = 12;
    selection.dividerId = 1;
    EXPECT_EQ(selectedDivider(s, selection), nullptr);
    selection.dividerDoor = 1;
    EXPECT_NE(selectedDivider(s, selection), nullptr);
}

TEST(DoorSketchTest, HitTestsRecordOnlyInsideTheDoor) {
    DoorSketch s(10000, 20000, 1, nullptr, false);
    Door& door = s.doors[0];
    sizeDoor(door, 10000, 20000);
    const int32_t v = splitDoorAt(door, 5000, 10, true);
    view::SketchLayout layout = test::layoutSketch(s);
    EXPECT_FALSE(view::insertAt(layout, s, {-1, 5}));
    EXPECT_EQ(layout.hit.kind, view::kHitNothing);
    const view::ItemAt in = view::insertAt(layout, s, {6000, 5});
    EXPECT_EQ(in.door, 0);
    EXPECT_EQ(in.id, 2);
    EXPECT_EQ(layout.hit.insertId, 2);
    EXPECT_EQ(layout.hit.kind, view::kHitInsert);
    EXPECT_EQ(view::dividerAt(layout, s, {5000, 19999}).id, v);
    EXPECT_EQ(layout.hit.dividerId, v);
    EXPECT_EQ(layout.hit.kind, view::kHitDivider);
    EXPECT_FALSE(view::dividerAt(layout, s, {5000, 20000})); // the bottom edge is outside
    layout.clearHits();
    EXPECT_EQ(layout.hit.frame, -1);
}

} // namespace
} // namespace dalvex
