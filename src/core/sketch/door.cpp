// A door of the sketch: lookups by id and the geometry derived from the divider positions.
#include "sketch/door_sketch.h"
#include "sketch/sketch_units.h"
#include "text/numbers.h"

#include <limits>

namespace dalvex {

using sketch::middle;

Door::Door() {
    inserts.emplace(1, Insert{});
}

Divider* Door::divider(int32_t id) {
    auto it = dividers.find(id);
    return id != 0 && it != dividers.end() ? &it->second : nullptr;
}

const Divider* Door::divider(int32_t id) const {
    auto it = dividers.find(id);
    return id != 0 && it != dividers.end() ? &it->second : nullptr;
}

Insert* Door::insert(int32_t id) {
    auto it = inserts.find(id);
    return id != 0 && it != inserts.end() ? &it->second : nullptr;
}

const Insert* Door::insert(int32_t id) const {
    auto it = inserts.find(id);
    return id != 0 && it != inserts.end() ? &it->second : nullptr;
}

void Door::updateInsertEdges() {
    for (auto& [id, ins] : inserts) {
        const Divider* t = divider(ins.topId);
        const Divider* b = divider(ins.bottomId);
        const Divider* l = divider(ins.leftId);
        const Divider* r = divider(ins.rightId);
        ins.top = t ? t->position : 0;
        ins.bottom = b ? b->position : height;
        ins.left = l ? l->position : 0;
        ins.right = r ? r->position : width;
    }
}

void Door::rescale(bool force) {
    if (previousWidth == width && previousHeight == height && !force) return;
    const double r =
        previousWidth != 0 && previousHeight != 0 ? static_cast<double>(height) / previousHeight : 1.0;
    for (auto& [id, d] : dividers) {
        if (d.vertical) {
            if (previousWidth != 0)
                d.position = truncToInt(static_cast<double>(d.position) * width / previousWidth);
        } else {
            d.position = truncToInt(d.position * r);
        }
    }
    // Lengths from the new positions only, so the order of the dividers does not matter.
    for (auto& [id, d] : dividers) {
        const Divider* start = divider(d.startId);
        const Divider* end = divider(d.endId);
        const int32_t nearEnd = start ? start->position : 0;
        const int32_t farEnd = end ? end->position : (d.vertical ? height : width);
        d.length = clampToInt(static_cast<int64_t>(farEnd) - nearEnd);
    }
    updateInsertEdges();
    previousWidth = width;
    previousHeight = height;
}

std::pair<int32_t, int32_t> Door::adjacentInserts(const Divider& d) const {
    const Divider* start = divider(d.startId);
    const int64_t spanBegin = start ? start->position : 0;
    const int64_t spanEnd = spanBegin + d.length;
    int32_t before = 0, after = 0;
    // Above any extent a pair of int32 edges can have.
    int64_t beforeExtent = std::numeric_limits<int64_t>::max();
    int64_t afterExtent = std::numeric_limits<int64_t>::max();
    for (const auto& [id, ins] : inserts) {
        const int64_t m = d.vertical ? middle(ins.top, ins.bottom) : middle(ins.left, ins.right);
        if (m <= spanBegin || m >= spanEnd) continue;
        const int32_t low = d.vertical ? ins.left : ins.top;
        const int32_t high = d.vertical ? ins.right : ins.bottom;
        const int64_t extent = static_cast<int64_t>(high) - low;
        if (high == d.position && extent < beforeExtent) {
            before = id;
            beforeExtent = extent;
        }
        if (low == d.position && extent < afterExtent) {
            after = id;
            afterExtent = extent;
        }
    }
    return {before, after};
}

std::pair<int32_t, int32_t> Door::extentsAround(const Divider& d) const {
    const auto [beforeId, afterId] = adjacentInserts(d);
    auto extent = [&](const Insert* ins) {
        if (!ins) return 0;
        return d.vertical ? clampToInt(static_cast<int64_t>(ins->right) - ins->left)
                          : clampToInt(static_cast<int64_t>(ins->bottom) - ins->top);
    };
    return {extent(insert(beforeId)), extent(insert(afterId))};
}

int32_t Door::panelPositionFor(const Divider& d, int32_t size, bool afterSide) const {
    const auto [beforeId, afterId] = adjacentInserts(d);
    const Insert* ins = insert(afterSide ? afterId : beforeId);
    if (!ins) return d.position; // an inconsistent door: leave the divider where it is
    const int64_t origin = d.vertical ? ins->panelX : ins->panelY;
    const int64_t extent = d.vertical ? ins->panelWidth : ins->panelHeight;
    return afterSide ? clampToInt(origin + extent - size) : clampToInt(origin + size);
}

int32_t Door::panelSizeBeside(const Divider& d, bool afterSide) const {
    const auto [beforeId, afterId] = adjacentInserts(d);
    const Insert* ins = insert(afterSide ? afterId : beforeId);
    if (!ins) return 0;
    return d.vertical ? ins->panelWidth : ins->panelHeight;
}

bool Door::hasDividers(bool vertical) const {
    for (const auto& [id, d] : dividers)
        if ((d.vertical != 0) == vertical) return true;
    return false;
}

} // namespace dalvex
