#include "cutting/bar_packing.h"

#include "calc/line_text.h"
#include "cutting/bin_bound.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace dalvex {

namespace {

// Lists up to this long are searched exactly; the search also stops after a fixed number of steps, so that
// its time stays bounded and its result the same on every run.
constexpr size_t kExactSearchLimit = 24;
constexpr int64_t kSearchSteps = 5000;

// With the kerf counted once per piece, a bar of length B with trim T holds pieces p1..pk exactly when
// sum(p + kerf) <= B - T + kerf: the packing becomes plain bin packing of widths p + kerf.
struct Item {
    int64_t width = 0;
    int32_t index = 0; // in the planned list
};

struct Packing {
    std::vector<std::vector<int32_t>> bars; // positions in the sorted item list
    std::vector<int64_t> loads;

    size_t count() const { return bars.size(); }
    int64_t minLoad() const { return loads.empty() ? 0 : *std::min_element(loads.begin(), loads.end()); }
};

// Fewer bars first, then the lighter lightest bar (the larger single offcut).
bool better(const Packing& a, const Packing& b) {
    if (a.count() != b.count()) return a.count() < b.count();
    return a.minLoad() < b.minLoad();
}

Packing firstFitDecreasing(const std::vector<Item>& items, int64_t capacity) {
    Packing p;
    for (size_t i = 0; i < items.size(); ++i) {
        size_t b = 0;
        while (b < p.count() && p.loads[b] + items[i].width > capacity)
            ++b;
        if (b == p.count()) {
            p.bars.emplace_back();
            p.loads.push_back(0);
        }
        p.bars[b].push_back(static_cast<int32_t>(i));
        p.loads[b] += items[i].width;
    }
    return p;
}

// Next-fit in the order of the list, as the bill buys its bars.
Packing nextFitInOrder(const std::vector<Item>& items, int64_t capacity) {
    std::vector<int32_t> order(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        order[i] = static_cast<int32_t>(i);
    std::sort(order.begin(), order.end(),
              [&](int32_t a, int32_t b) { return items[a].index < items[b].index; });
    Packing p;
    for (int32_t i : order) {
        if (p.bars.empty() || p.loads.back() + items[i].width > capacity) {
            p.bars.emplace_back();
            p.loads.push_back(0);
        }
        p.bars.back().push_back(i);
        p.loads.back() += items[i].width;
    }
    return p;
}

size_t lightestBar(const Packing& p) {
    size_t light = 0;
    for (size_t b = 1; b < p.count(); ++b)
        if (p.loads[b] <= p.loads[light]) light = b;
    return light;
}

// The fullest other bar that still takes `width`, or `skip` when none does.
size_t bestFit(const Packing& p, int64_t width, int64_t capacity, size_t skip) {
    size_t found = skip;
    for (size_t b = 0; b < p.count(); ++b) {
        if (b == skip || p.loads[b] + width > capacity) continue;
        if (found == skip || p.loads[b] > p.loads[found]) found = b;
    }
    return found;
}

// One step that lightens the lightest bar: move one of its pieces into another bar, or swap it for a shorter
// piece of another bar. Every step strictly improves the packing, so the loop ends.
bool lightenLightestBar(Packing& p, const std::vector<Item>& items, int64_t capacity) {
    const size_t light = lightestBar(p);
    std::vector<int32_t>& own = p.bars[light];
    for (size_t k = 0; k < own.size(); ++k) {
        const int64_t w = items[own[k]].width;
        const size_t to = bestFit(p, w, capacity, light);
        if (to == light) continue;
        p.bars[to].push_back(own[k]);
        p.loads[to] += w;
        p.loads[light] -= w;
        own.erase(own.begin() + static_cast<std::ptrdiff_t>(k));
        if (own.empty()) {
            p.bars.erase(p.bars.begin() + static_cast<std::ptrdiff_t>(light));
            p.loads.erase(p.loads.begin() + static_cast<std::ptrdiff_t>(light));
        }
        return true;
    }
    // The swap that takes most out of the lightest bar.
    int64_t gain = 0;
    size_t swapOwn = 0, swapBar = 0, swapOther = 0;
    for (size_t k = 0; k < own.size(); ++k) {
        const int64_t w = items[own[k]].width;
        for (size_t b = 0; b < p.count(); ++b) {
            if (b == light) continue;
            for (size_t j = 0; j < p.bars[b].size(); ++j) {
                const int64_t v = items[p.bars[b][j]].width;
                if (v >= w || p.loads[b] - v + w > capacity || w - v <= gain) continue;
                gain = w - v;
                swapOwn = k;
                swapBar = b;
                swapOther = j;
            }
        }
    }
    if (gain == 0) return false;
    std::swap(own[swapOwn], p.bars[swapBar][swapOther]);
    p.loads[light] -= gain;
    p.loads[swapBar] += gain;
    return true;
}

void improve(Packing& p, const std::vector<Item>& items, int64_t capacity) {
    for (int step = 0; step < 10000 && p.count() > 1; ++step)
        if (!lightenLightestBar(p, items, capacity)) break;
}

// Branch and bound over the pieces in decreasing order: each goes into an open bar or opens a new one.
class Search {
public:
    Search(const std::vector<Item>& items, int64_t capacity, Packing best, size_t lowerBars,
           int64_t lowerLoad)
        : items_(items), capacity_(capacity), best_(std::move(best)), lowerBars_(lowerBars),
          lowerLoad_(lowerLoad), barOf_(items.size(), 0) {
        for (const Item& item : items)
            remaining_ += item.width;
    }

    Packing run() {
        if (!perfect()) place(0);
        return std::move(best_);
    }

private:
    bool perfect() const { return best_.count() <= lowerBars_ && best_.minLoad() <= lowerLoad_; }

    void record() {
        Packing p;
        p.loads = loads_;
        p.bars.resize(loads_.size());
        for (size_t i = 0; i < items_.size(); ++i)
            p.bars[static_cast<size_t>(barOf_[i])].push_back(static_cast<int32_t>(i));
        if (better(p, best_)) best_ = std::move(p);
        if (perfect()) stopped_ = true;
    }

    void place(size_t k) {
        if (stopped_ || ++steps_ > kSearchSteps) {
            stopped_ = true;
            return;
        }
        if (k == items_.size()) {
            record();
            return;
        }
        const size_t open = loads_.size();
        if (open > best_.count()) return;
        int64_t free = 0;
        int64_t lightest = std::numeric_limits<int64_t>::max();
        for (int64_t load : loads_) {
            free += capacity_ - load;
            lightest = std::min(lightest, load);
        }
        const int64_t overflow = remaining_ - free;
        const size_t more = overflow > 0 ? static_cast<size_t>((overflow + capacity_ - 1) / capacity_) : 0;
        if (open + more > best_.count()) return;
        // With every bar open the lightest bar can only grow: nothing better below.
        if (open == best_.count() && lightest >= best_.minLoad()) return;

        const int64_t w = items_[k].width;
        // Equal pieces go into bars in order, which removes their interchanged copies from the search.
        const size_t first = k > 0 && items_[k - 1].width == w ? static_cast<size_t>(barOf_[k - 1]) : 0;
        remaining_ -= w;
        for (size_t b = first; b < open && !stopped_; ++b) {
            if (loads_[b] + w > capacity_) continue;
            bool seen = false; // a bar as full as an earlier one leads to the same packings
            for (size_t e = first; e < b && !seen; ++e)
                seen = loads_[e] == loads_[b];
            if (seen) continue;
            loads_[b] += w;
            barOf_[k] = static_cast<int32_t>(b);
            place(k + 1);
            loads_[b] -= w;
        }
        if (!stopped_ && open + 1 <= best_.count()) {
            loads_.push_back(w);
            barOf_[k] = static_cast<int32_t>(open);
            place(k + 1);
            loads_.pop_back();
        }
        remaining_ += w;
    }

    const std::vector<Item>& items_;
    int64_t capacity_;
    Packing best_;
    size_t lowerBars_;
    int64_t lowerLoad_;
    std::vector<int32_t> barOf_;
    std::vector<int64_t> loads_;
    int64_t remaining_ = 0;
    int64_t steps_ = 0;
    bool stopped_ = false;
};

} // namespace

CutPlan planCuts(const std::vector<int32_t>& pieces, int32_t barLength, int32_t kerf, int32_t trim) {
    CutPlan plan;
    kerf = std::max(0, kerf);
    trim = std::max(0, trim);
    const int64_t capacity = int64_t{barLength} - trim + kerf;
    std::vector<Item> items;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const int64_t width = int64_t{std::max(0, pieces[i])} + kerf;
        if (width > capacity)
            plan.tooLong.push_back(static_cast<int32_t>(i));
        else
            items.push_back({width, static_cast<int32_t>(i)});
    }
    if (!plan.tooLong.empty()) plan.error = tooLongText(barLength);
    if (items.empty()) return plan;
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.width > b.width; });

    Packing best = firstFitDecreasing(items, capacity);
    improve(best, items, capacity);
    Packing inOrder = nextFitInOrder(items, capacity);
    improve(inOrder, items, capacity);
    if (better(inOrder, best)) best = std::move(inOrder);

    int64_t total = 0;
    std::vector<int64_t> widths;
    for (const Item& item : items) {
        total += item.width;
        widths.push_back(item.width);
    }
    const auto lowerBars = static_cast<size_t>(binCountBound(widths, capacity));
    const auto lowerLoad = [&](size_t bars) {
        return std::max(items.back().width, total - static_cast<int64_t>(bars - 1) * capacity);
    };
    if (items.size() <= kExactSearchLimit &&
        !(best.count() <= lowerBars && best.minLoad() <= lowerLoad(best.count())))
        best = Search(items, capacity, std::move(best), lowerBars, lowerLoad(lowerBars)).run();

    // Fullest bars first; within a bar the longest piece first.
    std::vector<size_t> order(best.count());
    for (size_t b = 0; b < order.size(); ++b) {
        order[b] = b;
        std::sort(best.bars[b].begin(), best.bars[b].end());
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return best.loads[a] > best.loads[b]; });
    for (size_t b : order) {
        CutBar bar;
        for (int32_t position : best.bars[b])
            bar.pieces.push_back(items[static_cast<size_t>(position)].index);
        // What is left after the last piece, less the kerf that cuts it off.
        const int64_t left = capacity - best.loads[b] - kerf;
        bar.offcut = static_cast<int32_t>(std::max<int64_t>(0, left));
        plan.bars.push_back(std::move(bar));
    }
    return plan;
}

} // namespace dalvex
