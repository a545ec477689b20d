// The fewest sheets, proved: dynamic programming over the sub-multisets of equal items. For every
// sub-multiset that fits a sheet by area it keeps the smallest boxes (Pareto front of length and width) its
// items can be cut into: one item, or two smaller sub-multisets side by side along the length or along the
// width, which is exactly how every guillotine pattern divides at its first cut. The sheets then cover the
// whole order with the fewest feasible sub-multisets.
#include "cutting/sheet_packers.h"

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

// The smallest boxes of every sub-multiset of `subset` that fits a sheet by area; incomplete when the order
// is too large or the work allowed runs out.
class Fronts {
public:
    Fronts(const std::vector<Item>& items, const std::vector<int32_t>& subset, Space space, Budget& budget)
        : space_(space) {
        for (int32_t i : subset) {
            const Item& item = items[static_cast<size_t>(i)];
            auto same = std::find_if(kinds_.begin(), kinds_.end(), [&](const Kind& k) {
                return k.item.a == item.a && k.item.b == item.b && k.item.turnable == item.turnable;
            });
            if (same == kinds_.end()) same = kinds_.insert(kinds_.end(), Kind{item, 0, {}});
            ++same->count;
            same->items.push_back(i);
        }
        sets_.emplace(kinds_);
        // Every split of every sub-multiset is visited: too many of them and the search is not begun.
        int64_t splits = 1;
        for (const Kind& k : kinds_)
            splits = std::min<int64_t>(kMaxStates * kMaxStates, splits * (k.count + 1) * (k.count + 2) / 2);
        if (sets_->tooMany() || splits > budget.left || !budget.spend(sets_->states())) return;
        fronts_.resize(static_cast<size_t>(sets_->states()));
        for (int64_t s = 1; s < sets_->states(); ++s)
            if (!build(s, budget)) return;
        complete_ = true;
    }

    bool complete() const { return complete_; }
    const Multisets& sets() const { return *sets_; }
    int64_t whole() const { return sets_->states() - 1; }
    const std::vector<Box>& front(int64_t state) const { return fronts_[static_cast<size_t>(state)]; }
    size_t lowestKind(int64_t state) const {
        size_t lowest = 0;
        while (sets_->digit(state, lowest) == 0)
            ++lowest;
        return lowest;
    }

    // Lays out the boxes of the fronts with the items themselves, each item taken once over all its sheets.
    Layout layout() const { return Layout(kinds_, fronts_); }

private:
    bool build(int64_t s, Budget& budget) {
        const Kind& kind = kinds_[lowestKind(s)];
        std::vector<Box>& front = fronts_[static_cast<size_t>(s)];
        int64_t units = 0, area = 0;
        for (size_t k = 0; k < kinds_.size(); ++k) {
            units += sets_->digit(s, k);
            area += sets_->digit(s, k) * kinds_[k].item.a * kinds_[k].item.b;
        }
        if (area > space_.length * space_.width) return true;
        if (units == 1) {
            for (bool turned : {false, true}) {
                if (mayTurn(kind.item, turned) && fits(kind.item, turned, space_))
                    keepSmallest(front, {extentX(kind.item, turned), extentY(kind.item, turned),
                                         turned ? How::SingleTurned : How::Single,
                                         static_cast<int32_t>(lowestKind(s)), 0, 0, 0});
            }
            return true;
        }
        sets_->forEachSub(s, [&](int64_t first) {
            const int64_t second = s - first;
            budget.spend(1);
            // Each split once: the smaller index first, neither side empty.
            if (first == 0 || first > second || budget.exhausted()) return;
            const std::vector<Box>& fa = fronts_[static_cast<size_t>(first)];
            const std::vector<Box>& fb = fronts_[static_cast<size_t>(second)];
            budget.spend(static_cast<int64_t>(fa.size() * fb.size()));
            for (size_t i = 0; i < fa.size(); ++i)
                for (size_t j = 0; j < fb.size(); ++j) {
                    const Box& p = fa[i];
                    const Box& q = fb[j];
                    const auto box = [&](How how, int64_t x, int64_t y) {
                        return Box{x,
                                   y,
                                   how,
                                   static_cast<int32_t>(first),
                                   static_cast<int32_t>(second),
                                   static_cast<uint16_t>(i),
                                   static_cast<uint16_t>(j)};
                    };
                    if (p.x + q.x <= space_.length)
                        keepSmallest(front, box(How::AlongLength, p.x + q.x, std::max(p.y, q.y)));
                    if (p.y + q.y <= space_.width)
                        keepSmallest(front, box(How::AlongWidth, std::max(p.x, q.x), p.y + q.y));
                }
        });
        return !budget.exhausted();
    }

    Space space_;
    std::vector<Kind> kinds_;
    std::optional<Multisets> sets_;
    std::vector<std::vector<Box>> fronts_;
    bool complete_ = false;
};

} // namespace

std::optional<Packing> exactPacking(const std::vector<Item>& items, Space space, Budget& budget) {
    const Fronts fronts(items, allItems(items), space, budget);
    if (!fronts.complete()) return std::nullopt;
    const Multisets& sets = fronts.sets();
    const auto count = static_cast<size_t>(sets.states());

    // Fewest sheets for every sub-multiset: one sheet holds a feasible part with an item of the lowest kind
    // present, the rest as best it can be.
    constexpr int32_t kNone = std::numeric_limits<int32_t>::max();
    std::vector<int32_t> sheets(count, kNone);
    std::vector<int64_t> firstSheet(count, 0);
    sheets[0] = 0;
    for (int64_t s = 1; s < sets.states(); ++s) {
        const size_t lowest = fronts.lowestKind(s);
        const auto at = static_cast<size_t>(s);
        sets.forEachSub(s, [&](int64_t part) {
            budget.spend(1);
            if (sets.digit(part, lowest) == 0 || fronts.front(part).empty()) return;
            const int32_t rest = sheets[static_cast<size_t>(s - part)];
            if (rest != kNone && rest + 1 < sheets[at]) {
                sheets[at] = rest + 1;
                firstSheet[at] = part;
            }
        });
        if (budget.exhausted()) return std::nullopt;
    }

    Packing packing;
    Layout layout = fronts.layout();
    for (int64_t s = fronts.whole(); s > 0; s -= firstSheet[static_cast<size_t>(s)]) {
        if (sheets[static_cast<size_t>(s)] == kNone) return std::nullopt;
        packing.emplace_back();
        layout.place(firstSheet[static_cast<size_t>(s)], 0, 0, 0, packing.back());
    }
    return packing;
}

std::optional<Bin> tightestSheet(const std::vector<Item>& items, const std::vector<int32_t>& subset,
                                 Space space, Budget& budget) {
    const Fronts fronts(items, subset, space, budget);
    if (!fronts.complete() || fronts.front(fronts.whole()).empty()) return std::nullopt;
    // The box that leaves the larger strip beside it or above it.
    const std::vector<Box>& front = fronts.front(fronts.whole());
    size_t best = 0;
    int64_t bestStrip = -1;
    for (size_t b = 0; b < front.size(); ++b) {
        const int64_t strip =
            std::max((space.length - front[b].x) * space.width, space.length * (space.width - front[b].y));
        if (strip > bestStrip) {
            best = b;
            bestStrip = strip;
        }
    }
    Bin bin;
    fronts.layout().place(fronts.whole(), best, 0, 0, bin);
    return bin;
}

} // namespace dalvex::packing
