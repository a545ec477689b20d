#pragma once
// The largest realistic sketch, shared by the benchmarks: ten doors of 2.5 m on a 10 m opening, each split
// by twenty horizontal dividers into 21 inserts, every insert filled with the same material.
#include "calc/ds_system.h"
#include "sketch/door_sketch.h"

namespace dalvex::bench {

inline constexpr int32_t kLargestWidth = 100000; // 0.1 mm
inline constexpr int32_t kLargestHeight = 25000;
inline constexpr int kLargestDividers = 20;

// Twenty horizontal dividers stacked in a door, every one of the 21 inserts filled with `material`.
inline void stackDividers(Door& door, const DividerProfile* profile, const Material* material,
                          int32_t height) {
    door.inserts.clear();
    door.dividers.clear();
    for (int i = 1; i <= kLargestDividers; ++i) {
        Divider& d = door.dividers[i];
        d.vertical = 0;
        d.position = height * i / (kLargestDividers + 1);
        d.profile = profile;
    }
    for (int i = 1; i <= kLargestDividers + 1; ++i) {
        Insert& insert = door.inserts[i];
        insert.topId = i - 1;
        insert.bottomId = i <= kLargestDividers ? i : 0;
        insert.material = material;
    }
    door.nextDividerId = kLargestDividers + 1;
    door.nextInsertId = kLargestDividers + 2;
    door.rescale(true);
}

// Every door of a sketch already laid out by `system` (ten doors) gets the dividers and the material.
inline void fillLargestSketch(DoorSketch& sketch, const DSSystem& system, const Material* material) {
    for (int k = 0; k < kMaxDoors; ++k)
        stackDividers(sketch.doors[k], system.dividerProfileList().front(), material, sketch.doors[k].height);
}

// The sketch built and laid out by `system` alone, with an order's `options`, as the core benchmarks use it.
inline DoorSketch largestSketch(const DSSystem& system, OrderOptions& options, const Material* material) {
    DoorSketch sketch(kLargestWidth, kLargestHeight, kMaxDoors, system.handleProfiles(options).front(),
                      false);
    system.assignRows(sketch, options);
    system.recompute(sketch, options, false);
    fillLargestSketch(sketch, system, material);
    return sketch;
}

} // namespace dalvex::bench
