// The fewest sheets, proved: dynamic programming over the sub-multisets of equal items. For every
// sub-multiset that fits a sheet by area it keeps the smallest boxes (Pareto front of length and width) its
// items can be cut into: one item, or two smaller sub-multisets side by side along the length or along the
// width, which is exactly how every guillotine pattern divides at its first cut. The sheets then cover the
// whole order with the fewest feasible sub-multisets.
#include "calc/sheet_packers.h"

#include <algorithm>
#include <limits>

namespace dalvex::packing {

namespace {

// Orders with more distinct sub-multisets than this are left to the heuristics.
constexpr int64_t kMaxStates = 50000;

struct Kind {
    Item item;
    int32_t count = 0;
    std::vector<int32_t> items; // of this size
};

enum class How : uint8_t { Single, SingleTurned, AlongLength, AlongWidth };

struct Box {
    int64_t x = 0, y = 0;
    How how = How::Single;
    int32_t first = 0;  // Single: the kind; otherwise the sub-multiset placed first
    int32_t second = 0; // the sub-multiset placed beside or above it
    uint16_t firstBox = 0, secondBox = 0;
};

class Multisets {
public:
    explicit Multisets(const std::vector<Kind>& kinds) : kinds_(kinds) {
        int64_t states = 1;
        for (const Kind& k : kinds) {
            radix_.push_back(states);
            states *= k.count + 1;
            if (states > kMaxStates) break;
        }
        states_ = states;
    }

    bool tooMany() const { return states_ > kMaxStates; }
    int64_t states() const { return states_; }
    int32_t digit(int64_t state, size_t kind) const {
        return static_cast<int32_t>(state / radix_[kind] % (kinds_[kind].count + 1));
    }

    // Calls f(sub) for every sub-multiset of `state`, the empty one and `state` itself included.
    template <class F> void forEachSub(int64_t state, F&& f) const {
        std::vector<int32_t> limit(kinds_.size()), d(kinds_.size(), 0);
        for (size_t k = 0; k < kinds_.size(); ++k)
            limit[k] = digit(state, k);
        int64_t sub = 0;
        while (true) {
            f(sub);
            size_t k = 0;
            for (; k < kinds_.size(); ++k) {
                if (d[k] < limit[k]) {
                    ++d[k];
                    sub += radix_[k];
                    break;
                }
                sub -= d[k] * radix_[k];
                d[k] = 0;
            }
            if (k == kinds_.size()) return;
        }
    }

private:
    const std::vector<Kind>& kinds_;
    std::vector<int64_t> radix_;
    int64_t states_ = 1;
};

// Adds the box unless a kept one is at most as long and as wide; drops the kept ones it beats.
void keepSmallest(std::vector<Box>& front, const Box& box) {
    for (const Box& kept : front)
        if (kept.x <= box.x && kept.y <= box.y) return;
    std::erase_if(front, [&](const Box& kept) { return box.x <= kept.x && box.y <= kept.y; });
    if (front.size() < std::numeric_limits<uint16_t>::max()) front.push_back(box);
}

class Layout {
public:
    Layout(const std::vector<Kind>& kinds, const std::vector<std::vector<Box>>& fronts)
        : kinds_(kinds), fronts_(fronts), next_(kinds.size(), 0) {}

    void place(int64_t state, size_t boxIndex, int64_t x, int64_t y, Bin& bin) {
        const Box& box = fronts_[static_cast<size_t>(state)][boxIndex];
        if (box.how == How::Single || box.how == How::SingleTurned) {
            const Kind& kind = kinds_[static_cast<size_t>(box.first)];
            const int32_t item = kind.items[static_cast<size_t>(next_[static_cast<size_t>(box.first)]++)];
            bin.places.push_back({item, x, y, box.how == How::SingleTurned});
            bin.area += kind.item.a * kind.item.b;
            return;
        }
        const Box& first = fronts_[static_cast<size_t>(box.first)][box.firstBox];
        place(box.first, box.firstBox, x, y, bin);
        if (box.how == How::AlongLength)
            place(box.second, box.secondBox, x + first.x, y, bin);
        else
            place(box.second, box.secondBox, x, y + first.y, bin);
    }

private:
    const std::vector<Kind>& kinds_;
    const std::vector<std::vector<Box>>& fronts_;
    std::vector<int32_t> next_;
};

} // namespace

std::optional<Packing> exactPacking(const std::vector<Item>& items, Space space, Budget& budget) {
    std::vector<Kind> kinds;
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        auto same = std::find_if(kinds.begin(), kinds.end(), [&](const Kind& k) {
            return k.item.a == item.a && k.item.b == item.b && k.item.turnable == item.turnable;
        });
        if (same == kinds.end()) same = kinds.insert(kinds.end(), Kind{item, 0, {}});
        ++same->count;
        same->items.push_back(static_cast<int32_t>(i));
    }
    const Multisets sets(kinds);
    if (sets.tooMany() || !budget.spend(sets.states())) return std::nullopt;
    const auto count = static_cast<size_t>(sets.states());
    const int64_t sheetArea = space.length * space.width;

    std::vector<int64_t> area(count, 0);
    std::vector<std::vector<Box>> fronts(count);
    for (int64_t s = 1; s < sets.states(); ++s) {
        size_t lowest = 0;
        while (sets.digit(s, lowest) == 0)
            ++lowest;
        const Kind& kind = kinds[lowest];
        const auto at = static_cast<size_t>(s);
        int64_t units = 0;
        for (size_t k = 0; k < kinds.size(); ++k) {
            units += sets.digit(s, k);
            area[at] += sets.digit(s, k) * kinds[k].item.a * kinds[k].item.b;
        }
        if (area[at] > sheetArea) continue;
        if (units == 1) {
            for (bool turned : {false, true}) {
                if (turned && (!kind.item.turnable || kind.item.a == kind.item.b)) continue;
                if (fits(kind.item, turned, space))
                    keepSmallest(fronts[at], {extentX(kind.item, turned), extentY(kind.item, turned),
                                              turned ? How::SingleTurned : How::Single,
                                              static_cast<int32_t>(lowest), 0, 0, 0});
            }
            continue;
        }
        std::vector<Box>& front = fronts[at];
        sets.forEachSub(s, [&](int64_t first) {
            const int64_t second = s - first;
            budget.spend(1);
            // Each split once: the smaller index first, neither side empty.
            if (first == 0 || first > second || budget.exhausted()) return;
            const std::vector<Box>& fa = fronts[static_cast<size_t>(first)];
            const std::vector<Box>& fb = fronts[static_cast<size_t>(second)];
            budget.spend(static_cast<int64_t>(fa.size() * fb.size()));
            for (size_t i = 0; i < fa.size(); ++i)
                for (size_t j = 0; j < fb.size(); ++j) {
                    const Box& p = fa[i];
                    const Box& q = fb[j];
                    const auto ids = [&](How how, int64_t x, int64_t y) {
                        return Box{x,
                                   y,
                                   how,
                                   static_cast<int32_t>(first),
                                   static_cast<int32_t>(second),
                                   static_cast<uint16_t>(i),
                                   static_cast<uint16_t>(j)};
                    };
                    if (p.x + q.x <= space.length)
                        keepSmallest(front, ids(How::AlongLength, p.x + q.x, std::max(p.y, q.y)));
                    if (p.y + q.y <= space.width)
                        keepSmallest(front, ids(How::AlongWidth, std::max(p.x, q.x), p.y + q.y));
                }
        });
        if (budget.exhausted()) return std::nullopt;
    }

    // Fewest sheets for every sub-multiset: one sheet holds a feasible part with an item of the lowest kind
    // present, the rest as best it can be.
    constexpr int32_t kNone = std::numeric_limits<int32_t>::max();
    std::vector<int32_t> sheets(count, kNone);
    std::vector<int64_t> firstSheet(count, 0);
    sheets[0] = 0;
    for (int64_t s = 1; s < sets.states(); ++s) {
        size_t lowest = 0;
        while (sets.digit(s, lowest) == 0)
            ++lowest;
        const auto at = static_cast<size_t>(s);
        sets.forEachSub(s, [&](int64_t part) {
            budget.spend(1);
            if (sets.digit(part, lowest) == 0 || fronts[static_cast<size_t>(part)].empty()) return;
            const int32_t rest = sheets[static_cast<size_t>(s - part)];
            if (rest != kNone && rest + 1 < sheets[at]) {
                sheets[at] = rest + 1;
                firstSheet[at] = part;
            }
        });
        if (budget.exhausted()) return std::nullopt;
    }

    Packing packing;
    Layout layout(kinds, fronts);
    for (int64_t s = sets.states() - 1; s > 0; s -= firstSheet[static_cast<size_t>(s)]) {
        if (sheets[static_cast<size_t>(s)] == kNone) return std::nullopt;
        packing.emplace_back();
        layout.place(firstSheet[static_cast<size_t>(s)], 0, 0, 0, packing.back());
    }
    return packing;
}

} // namespace dalvex::packing
