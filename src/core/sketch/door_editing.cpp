// Editing inside one door: splitting an insert, removing and moving dividers, copying another door's layout
// and spreading the dividers evenly. Each operation keeps the inserts tiling the door and refuses, without
// changing anything, what would break that.
#include "sketch/door_sketch.h"
#include "sketch/sketch_units.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace dalvex {

using sketch::middle;

namespace {

// The id for a new item: the door's counter, but never one that is taken or that would overflow (a door read
// from a file may carry any counter). 0 when no id is left.
template <class Map> int32_t freshId(int32_t next, const Map& items) {
    int64_t id = std::max<int64_t>(next, 1);
    if (!items.empty()) id = std::max<int64_t>(id, static_cast<int64_t>(items.rbegin()->first) + 1);
    if (id >= std::numeric_limits<int32_t>::max()) return 0;
    return static_cast<int32_t>(id);
}

// The span of a divider along its own direction, as an open interval.
struct Span {
    int64_t begin = 0;
    int64_t end = 0;
    bool holdsMiddleOf(const Insert& ins, bool vertical) const {
        const int64_t m = vertical ? middle(ins.top, ins.bottom) : middle(ins.left, ins.right);
        return begin < m && m < end;
    }
};

} // namespace

Divider* Door::splitInsert(int32_t splitId, int32_t position, const DividerProfile* profile, bool vertical) {
    Insert* found = insert(splitId);
    if (!found) return nullptr;
    if (inserts.size() >= static_cast<std::size_t>(kMaxInserts)) return nullptr;
    Insert& ins = *found;
    const int64_t nearPart = static_cast<int64_t>(position) - (vertical ? ins.left : ins.top);
    const int64_t farPart = static_cast<int64_t>(vertical ? ins.right : ins.bottom) - position;
    if (nearPart < kMinInsertPart || farPart < kMinInsertPart) return nullptr;

    const int32_t dividerId = freshId(nextDividerId, dividers);
    const int32_t insertId = freshId(nextInsertId, inserts);
    if (dividerId == 0 || insertId == 0) return nullptr;

    Divider d;
    d.position = position;
    d.vertical = vertical ? 1 : 0;
    d.length = vertical ? clampToInt(static_cast<int64_t>(ins.bottom) - ins.top)
                        : clampToInt(static_cast<int64_t>(ins.right) - ins.left);
    const int32_t startId = vertical ? ins.topId : ins.leftId;
    const int32_t endId = vertical ? ins.bottomId : ins.rightId;
    d.startId = divider(startId) ? startId : 0;
    d.endId = divider(endId) ? endId : 0;
    d.profile = profile;

    // The old insert keeps the left or upper part and its id; the copy takes the rest.
    Insert rest = ins;
    if (vertical) {
        ins.rightId = dividerId;
        ins.right = position;
        rest.leftId = dividerId;
        rest.left = position;
    } else {
        ins.bottomId = dividerId;
        ins.bottom = position;
        rest.topId = dividerId;
        rest.top = position;
    }
    inserts.emplace(insertId, rest);
    auto placed = dividers.emplace(dividerId, d).first;
    nextDividerId = dividerId + 1;
    nextInsertId = insertId + 1;
    return &placed->second;
}

bool Door::removeDivider(int32_t dividerId) {
    const Divider* d = divider(dividerId);
    if (!d) return false;
    // Dividers that abut this one would lose their end.
    for (const auto& [id, other] : dividers)
        if (other.startId == dividerId || other.endId == dividerId) return false;

    const auto [beforeId, afterId] = adjacentInserts(*d);
    Insert* before = insert(beforeId);
    const Insert* after = insert(afterId);
    if (!before || !after || beforeId == afterId) return false;
    // In a consistent door the two inserts face each other exactly; anything else could not be merged into a
    // rectangle.
    if (d->vertical ? (before->top != after->top || before->bottom != after->bottom)
                    : (before->left != after->left || before->right != after->right))
        return false;

    if (d->vertical) {
        before->right = after->right;
        before->rightId = after->rightId;
    } else {
        before->bottom = after->bottom;
        before->bottomId = after->bottomId;
    }
    inserts.erase(afterId);
    dividers.erase(dividerId);
    return true;
}

bool Door::moveDivider(int32_t dividerId, int32_t position) {
    Divider* d = divider(dividerId);
    if (!d) return false;
    const auto [beforeId, afterId] = adjacentInserts(*d);
    const Insert* before = insert(beforeId);
    const Insert* after = insert(afterId);
    if (!before || !after) return false;
    const bool vertical = d->vertical != 0;
    const int64_t nearPart = static_cast<int64_t>(position) - (vertical ? before->left : before->top);
    const int64_t farPart = static_cast<int64_t>(vertical ? after->right : after->bottom) - position;
    if (nearPart < kMinInsertPart || farPart < kMinInsertPart) return false;

    const Divider* start = divider(d->startId);
    Span span;
    span.begin = start ? start->position : 0;
    span.end = span.begin + d->length;
    const int32_t old = d->position;
    d->position = position;

    for (auto& [id, ins] : inserts) {
        if (!span.holdsMiddleOf(ins, vertical)) continue;
        int32_t& lowEdge = vertical ? ins.left : ins.top;
        int32_t& highEdge = vertical ? ins.right : ins.bottom;
        if (lowEdge == old)
            lowEdge = position;
        else if (highEdge == old)
            highEdge = position;
    }
    for (auto& [id, other] : dividers) {
        if (other.startId == dividerId)
            other.length = clampToInt(static_cast<int64_t>(other.length) + old - position);
        if (other.endId == dividerId)
            other.length = clampToInt(static_cast<int64_t>(other.length) + position - old);
    }
    return true;
}

PasteResult Door::pasteFrom(const Door* source) {
    if (!source) return kPasteNoSource;
    const int64_t limit = static_cast<int64_t>(width) - 20;
    for (const auto& [id, d] : source->dividers)
        if (d.vertical && d.position > limit) return kPasteNoRoom;

    // Copied first: the source may be this very door.
    std::map<int32_t, Divider> newDividers = source->dividers;
    std::map<int32_t, Insert> newInserts = source->inserts;
    const int32_t newNextInsert = source->nextInsertId;
    const int32_t newNextDivider = source->nextDividerId;

    dividers = std::move(newDividers);
    inserts = std::move(newInserts);
    nextInsertId = newNextInsert;
    nextDividerId = newNextDivider;

    // A reference the copy cannot resolve falls back to the frame.
    auto resolve = [this](int32_t& id) {
        if (!divider(id)) id = 0;
    };
    for (auto& [id, d] : dividers) {
        resolve(d.startId);
        resolve(d.endId);
    }
    for (auto& [id, ins] : inserts) {
        resolve(ins.topId);
        resolve(ins.leftId);
        resolve(ins.rightId);
        resolve(ins.bottomId);
    }
    // Positions stay absolute; the rightmost and lowest inserts absorb the difference in size.
    rescale(true);
    return kPasted;
}

void Door::alignDividers(bool vertical) {
    std::vector<int32_t> ids;
    for (const auto& [id, d] : dividers)
        if ((d.vertical != 0) == vertical) ids.push_back(id);
    if (ids.empty()) return;
    const int64_t k = static_cast<int64_t>(ids.size());
    const int64_t extent = vertical ? width : height;
    const int64_t step = extent / (k + 1);

    // The order comes from the axes of the last calculation, which the moves below do not change; ties go to
    // the lowest id because the ids are visited in increasing order.
    auto takeExtreme = [this](std::vector<int32_t>& set, bool largest) {
        auto best = set.begin();
        for (auto it = set.begin(); it != set.end(); ++it) {
            const int32_t a = dividers.at(*it).axis, b = dividers.at(*best).axis;
            if (largest ? a > b : a < b) best = it;
        }
        const int32_t id = *best;
        set.erase(best);
        return id;
    };

    // First everything to the far end, so that no divider blocks another on its way; then spread.
    std::vector<int32_t> set = ids;
    for (int64_t j = 0; j < k; ++j)
        moveDivider(takeExtreme(set, true), clampToInt(extent - kMinInsertPart * (j + 1)));
    set = ids;
    for (int64_t j = 0; j < k; ++j)
        moveDivider(takeExtreme(set, false), clampToInt(step * (j + 1)));
}

} // namespace dalvex
