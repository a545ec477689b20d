// Random sequences of edits keep every door consistent, and state no edit could produce is handled safely.
#include "sketch/door_sketch.h"
#include "sketch/door_tiling.h"
#include "sketch_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <random>

namespace dalvex {
namespace {

using test::consistent;

int32_t anyDividerId(const Door& door, std::mt19937& rng) {
    if (door.dividers.empty()) return 0;
    auto it = door.dividers.begin();
    std::advance(it, static_cast<long>(rng() % door.dividers.size()));
    return it->first;
}

TEST(SketchPropertyTest, RandomEditsKeepTheDoorTiled) {
    std::mt19937 rng(20240611u);
    for (int round = 0; round < 30; ++round) {
        Door door;
        test::sizeDoor(door, 10000, 20000);
        for (int step = 0; step < 80; ++step) {
            const unsigned op = rng() % 11;
            if (op < 5) {
                test::splitDoorAt(door, static_cast<int>(rng() % 10000), static_cast<int>(rng() % 20000),
                                  rng() % 2 == 0);
            } else if (op < 8) {
                const int32_t id = anyDividerId(door, rng);
                const Divider* d = door.divider(id);
                const int32_t extent = d && d->vertical ? door.width : door.height;
                door.moveDivider(id, static_cast<int32_t>(rng() % static_cast<unsigned>(extent + 1)));
            } else if (op < 9) {
                door.removeDivider(anyDividerId(door, rng));
            } else if (op < 10) {
                door.alignDividers(rng() % 2 == 0);
            } else {
                // Growing keeps the dividers apart, so every insert stays non-empty.
                door.width += static_cast<int32_t>(rng() % 3000);
                door.height += static_cast<int32_t>(rng() % 3000);
                door.rescale(false);
            }
            ASSERT_TRUE(consistent(door)) << "round " << round << " step " << step << " op " << op;
            ASSERT_EQ(tilingFault(door), "") << "round " << round << " step " << step << " op " << op;
        }
        // The newest divider is never abutted, so everything can be taken down again, back to insert 1.
        while (!door.dividers.empty()) {
            ASSERT_TRUE(door.removeDivider(door.dividers.rbegin()->first)) << "round " << round;
            ASSERT_TRUE(consistent(door));
        }
        ASSERT_EQ(door.inserts.begin()->first, 1);
    }
}

TEST(SketchPropertyTest, OperationsOnStateNoEditProducesAreSafe) {
    constexpr int32_t big = std::numeric_limits<int32_t>::max();
    constexpr int32_t small = std::numeric_limits<int32_t>::min();
    for (int32_t doorCount : {-3, 0, 1, 11, big}) {
        for (int32_t currentDoor : {-1, 0, 9, 10, small}) {
            DoorSketch s(big, small, doorCount, nullptr, false);
            view::SketchLayout layout;
            layout.currentDoor = currentDoor;
            layout.scale = std::nan("");
            layout.stale = false;
            layout.hit = view::Hit{0, view::kHitDivider, 12, 0, 99};
            for (size_t i = 0; i < s.doors.size(); ++i) {
                Door& door = s.doors[i];
                door.width = big;
                door.height = small;
                door.previousWidth = -1;
                Insert& ins = door.inserts.begin()->second;
                ins.left = small;
                ins.right = big;
                ins.topId = 5; // names nothing
                Divider stray;
                stray.position = big;
                stray.length = big;
                stray.startId = 3;
                stray.endId = 3;
                door.dividers[3] = stray;
                view::DoorLayout& laid = layout.doors[i];
                laid.rect = {small, small, big, big};
                laid.inserts[door.inserts.begin()->first] = laid.rect;
                laid.dividers[3] = laid.rect;
                laid.dividers[42] = laid.rect; // a divider the model does not hold
            }
            const PixelPoint corner{big - 1, big - 1};
            s.numberItems();
            (void)s.overlapCount();
            (void)s.remainder();
            SketchSelection selection{-7, small, big, big, big};
            (void)selectedInsert(s, selection);
            (void)selectedDivider(s, selection);
            (void)view::selectedInsertRect(layout, s, selection);
            dropVanished(selection, s);
            (void)view::beginDrag(layout, s);
            (void)test::dragTo(layout, s, corner);
            layout.hit = view::Hit{0, view::kHitFrame, 12, 0, 0};
            (void)view::beginDrag(layout, s);
            (void)test::dragTo(layout, s, corner);
            (void)test::splitAt(layout, s, corner, nullptr, true);
            layout.scale = 1e-9;
            (void)test::splitAt(layout, s, {small, small}, nullptr, false);
            (void)test::dragTo(layout, s, {small, small});
            (void)test::removeDividerAt(layout, s, corner);
            (void)view::insertAt(layout, s, corner);
            (void)view::hoverTest(layout, s, corner);
            (void)view::describeHover(layout, s);
            (void)view::pointCommands(layout, s, currentDoor, big);
            (void)s.fillInsert(small, 1, nullptr);
            (void)s.fillInsertAcrossDoors(0, 1, nullptr, small, big);
            (void)s.pasteDoor(big, 0);
            (void)s.pasteDoor(0, 1);
            for (Door& door : s.doors) {
                door.rescale(true);
                door.alignDividers(true);
                door.alignDividers(false);
                (void)door.moveDivider(3, big);
                (void)door.moveDivider(3, small);
                (void)door.panelPositionFor(door.dividers.empty() ? Divider{} : door.dividers.begin()->second,
                                            big, true);
                (void)door.removeDivider(3);
            }
            layout.clearHits();
        }
    }
    SUCCEED(); // the sanitizer build is what judges this test
}

} // namespace
} // namespace dalvex
