#include "sketch/door_tiling.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace dalvex {

namespace {

// The stretch a divider runs over, along its own direction, from its start bound to its end bound.
struct Stretch {
    int64_t begin = 0;
    int64_t end = 0;
};

Stretch stretchOf(const Door& door, const Divider& d) {
    const Divider* start = door.divider(d.startId);
    const Divider* end = door.divider(d.endId);
    return {start ? start->position : 0, end ? end->position : (d.vertical ? door.height : door.width)};
}

// An insert's side [lo, hi] at `edge` names `id`: the frame when 0 (then the edge is the frame's), else a
// divider across that direction at that position whose stretch holds the side.
bool sideHolds(const Door& door, int32_t id, bool vertical, int64_t edge, int64_t frameEdge, int64_t lo,
               int64_t hi) {
    if (id == 0) return edge == frameEdge;
    const Divider* d = door.divider(id);
    if (!d || (d->vertical != 0) != vertical || d->position != edge) return false;
    const Stretch s = stretchOf(door, *d);
    return s.begin <= lo && hi <= s.end;
}

} // namespace

std::string_view tilingFault(const Door& door) {
    if (door.width <= 0 || door.height <= 0) return "the door has no size";
    if (door.inserts.empty() || door.inserts.size() != door.dividers.size() + 1)
        return "the inserts are not one more than the dividers";
    if (door.inserts.size() > static_cast<std::size_t>(kMaxInserts)) return "too many inserts";
    if (door.inserts.begin()->first <= 0 || door.inserts.rbegin()->first >= door.nextInsertId ||
        (!door.dividers.empty() &&
         (door.dividers.begin()->first <= 0 || door.dividers.rbegin()->first >= door.nextDividerId)))
        return "an id outside 1 .. its counter";

    for (const auto& [id, d] : door.dividers) {
        if (d.vertical != 0 && d.vertical != 1) return "a divider of no direction";
        const int64_t across = d.vertical ? door.width : door.height;
        if (d.position <= 0 || d.position >= across) return "a divider outside its door";
        for (int32_t boundId : {d.startId, d.endId}) {
            if (boundId == 0) continue;
            const Divider* bound = door.divider(boundId);
            if (!bound || boundId == id || bound->vertical == d.vertical)
                return "a divider bound that is not across it";
            const Stretch s = stretchOf(door, *bound);
            if (d.position < s.begin || d.position > s.end) return "a divider bound that does not reach it";
        }
        const Stretch s = stretchOf(door, d);
        if (s.begin >= s.end || d.length != s.end - s.begin) return "a divider length off its bounds";
    }

    // Each insert inside the door, non-empty, on the dividers it names.
    int64_t area = 0;
    for (const auto& [id, ins] : door.inserts) {
        if (ins.left < 0 || ins.top < 0 || ins.right > door.width || ins.bottom > door.height ||
            ins.left >= ins.right || ins.top >= ins.bottom)
            return "an insert outside its door or empty";
        if (!sideHolds(door, ins.leftId, true, ins.left, 0, ins.top, ins.bottom) ||
            !sideHolds(door, ins.rightId, true, ins.right, door.width, ins.top, ins.bottom) ||
            !sideHolds(door, ins.topId, false, ins.top, 0, ins.left, ins.right) ||
            !sideHolds(door, ins.bottomId, false, ins.bottom, door.height, ins.left, ins.right))
            return "an insert side off the divider it names";
        area += (static_cast<int64_t>(ins.right) - ins.left) * (static_cast<int64_t>(ins.bottom) - ins.top);
    }
    if (area != static_cast<int64_t>(door.width) * door.height) return "the inserts do not cover the door";

    // No two overlap: with the areas summing to the door's, that also leaves no gap. Sorted by left edge, an
    // insert can only overlap those that start before it ends.
    std::vector<const Insert*> byLeft;
    byLeft.reserve(door.inserts.size());
    for (const auto& [id, ins] : door.inserts)
        byLeft.push_back(&ins);
    std::sort(byLeft.begin(), byLeft.end(),
              [](const Insert* a, const Insert* b) { return a->left < b->left; });
    for (std::size_t i = 0; i < byLeft.size(); ++i) {
        const Insert& a = *byLeft[i];
        for (std::size_t j = i + 1; j < byLeft.size() && byLeft[j]->left < a.right; ++j) {
            const Insert& b = *byLeft[j];
            if (a.top < b.bottom && b.top < a.bottom) return "two inserts overlap";
        }
    }

    // Each divider faced over its whole stretch on both sides by the inserts that name it.
    std::map<int32_t, std::pair<int64_t, int64_t>> faced; // divider id -> extent before, extent after
    for (const auto& [id, ins] : door.inserts) {
        const int64_t height = static_cast<int64_t>(ins.bottom) - ins.top;
        const int64_t width = static_cast<int64_t>(ins.right) - ins.left;
        faced[ins.rightId].first += height;
        faced[ins.leftId].second += height;
        faced[ins.bottomId].first += width;
        faced[ins.topId].second += width;
    }
    for (const auto& [id, d] : door.dividers) {
        const auto& [before, after] = faced[id];
        if (before != d.length || after != d.length) return "a divider not faced along its length";
    }
    return {};
}

} // namespace dalvex
