// Best-fit guillotine packing with free rectangles (after Jylänki's GUILLOTINE family): every sheet keeps the
// rectangles still free; an item goes into the free rectangle that fits it best, in its corner, and the rest
// of that rectangle is split by one straight cut into two free rectangles. Each split is a cut edge to edge
// of the rectangle it divides, so every packing made this way can be cut with guillotine cuts.
#include "cutting/sheet_packers.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace dalvex::packing {

namespace {

struct FreeRect {
    int64_t x = 0, y = 0, w = 0, h = 0;
};

enum class Fit { Area, ShortSide, LongSide };
enum class Split { ShorterLeftover, LongerLeftover, MinArea, MaxArea };

struct Rules {
    Fit fit;
    Split split;
};

constexpr Rules kRules[] = {
    {Fit::Area, Split::ShorterLeftover},
    {Fit::ShortSide, Split::ShorterLeftover},
    {Fit::Area, Split::MinArea},
    {Fit::ShortSide, Split::MinArea},
    {Fit::LongSide, Split::ShorterLeftover},
    {Fit::Area, Split::LongerLeftover},
    {Fit::ShortSide, Split::LongerLeftover},
    {Fit::Area, Split::MaxArea},
    {Fit::LongSide, Split::MinArea},
    {Fit::ShortSide, Split::MaxArea},
    {Fit::LongSide, Split::LongerLeftover},
    {Fit::LongSide, Split::MaxArea},
};

// What setting up a packing costs, in the steps of a placement.
constexpr int64_t kRunCost = 64;

class FreeRectPacker {
public:
    FreeRectPacker(const std::vector<Item>& items, Space space, Rules rules, size_t maxBins, Budget& budget)
        : items_(items), space_(space), rules_(rules), maxBins_(maxBins) {
        budget.spend(kRunCost);
        smallest_ = std::numeric_limits<int64_t>::max();
        for (const Item& item : items)
            smallest_ = std::min(smallest_, std::min(item.a, item.b));
    }

    // Into the best free rectangle of the open sheets, else onto a new sheet while sheets remain.
    bool place(int32_t index, Budget& budget) {
        const Item& item = items_[static_cast<size_t>(index)];
        Choice best;
        for (size_t bin = 0; bin < free_.size(); ++bin) {
            budget.spend(static_cast<int64_t>(free_[bin].size()) + 1);
            for (size_t r = 0; r < free_[bin].size(); ++r)
                consider(item, bin, r, best);
        }
        if (!best.found) {
            if (bins.size() >= maxBins_) return false;
            bins.emplace_back();
            free_.push_back({{0, 0, space_.length, space_.width}});
            consider(item, bins.size() - 1, 0, best);
            if (!best.found) return false;
        }
        put(index, best);
        return true;
    }

    Packing bins;

private:
    struct Choice {
        bool found = false;
        size_t bin = 0, rect = 0;
        bool turned = false;
        int64_t first = 0, second = 0;
    };

    void consider(const Item& item, size_t bin, size_t r, Choice& best) const {
        const FreeRect& f = free_[bin][r];
        for (bool turned : {false, true}) {
            if (!mayTurn(item, turned)) continue;
            const int64_t w = extentX(item, turned), h = extentY(item, turned);
            if (w > f.w || h > f.h) continue;
            const int64_t lw = f.w - w, lh = f.h - h;
            int64_t first = 0, second = 0;
            switch (rules_.fit) {
            case Fit::Area:
                first = f.w * f.h - w * h;
                second = std::min(lw, lh);
                break;
            case Fit::ShortSide:
                first = std::min(lw, lh);
                second = std::max(lw, lh);
                break;
            case Fit::LongSide:
                first = std::max(lw, lh);
                second = std::min(lw, lh);
                break;
            }
            if (!best.found || first < best.first || (first == best.first && second < best.second))
                best = {true, bin, r, turned, first, second};
        }
    }

    void put(int32_t index, const Choice& c) {
        const Item& item = items_[static_cast<size_t>(index)];
        std::vector<FreeRect>& free = free_[c.bin];
        const FreeRect f = free[c.rect];
        const int64_t w = extentX(item, c.turned), h = extentY(item, c.turned);
        Bin& bin = bins[c.bin];
        bin.places.push_back({index, f.x, f.y, c.turned});
        bin.area += item.a * item.b;

        const int64_t lw = f.w - w, lh = f.h - h;
        bool across = false; // the cut runs along the rectangle's length, over its whole length
        switch (rules_.split) {
        case Split::ShorterLeftover:
            across = lw <= lh;
            break;
        case Split::LongerLeftover:
            across = lw > lh;
            break;
        case Split::MinArea:
            across = w * lh > lw * h;
            break;
        case Split::MaxArea:
            across = w * lh <= lw * h;
            break;
        }
        const FreeRect top = across ? FreeRect{f.x, f.y + h, f.w, lh} : FreeRect{f.x, f.y + h, w, lh};
        const FreeRect right = across ? FreeRect{f.x + w, f.y, lw, h} : FreeRect{f.x + w, f.y, lw, f.h};
        free.erase(free.begin() + static_cast<std::ptrdiff_t>(c.rect));
        // A rectangle narrower than every item's shorter side can never be used.
        for (const FreeRect& r : {top, right})
            if (std::min(r.w, r.h) >= smallest_) free.push_back(r);
    }

    const std::vector<Item>& items_;
    Space space_;
    Rules rules_;
    size_t maxBins_;
    int64_t smallest_ = 0;
    std::vector<std::vector<FreeRect>> free_;
};

int64_t lightest(const Packing& p) {
    int64_t light = std::numeric_limits<int64_t>::max();
    for (const Bin& bin : p)
        light = std::min(light, bin.area);
    return p.empty() ? 0 : light;
}

} // namespace

std::vector<std::vector<int32_t>> itemOrders(const std::vector<Item>& items,
                                             const std::vector<int32_t>& subset) {
    using Key = std::function<int64_t(const Item&)>;
    const Key keys[] = {
        [](const Item& i) { return i.a * i.b; },
        [](const Item& i) { return std::max(i.a, i.b); },
        [](const Item& i) { return std::min(i.a, i.b); },
        [](const Item& i) { return i.a + i.b; },
        [](const Item& i) { return i.a; },
        [](const Item& i) { return i.b; },
    };
    std::vector<std::vector<int32_t>> orders;
    for (const Key& key : keys) {
        std::vector<int32_t> order = subset;
        std::stable_sort(order.begin(), order.end(), [&](int32_t x, int32_t y) {
            const Item& a = items[static_cast<size_t>(x)];
            const Item& b = items[static_cast<size_t>(y)];
            if (key(a) != key(b)) return key(a) > key(b);
            return a.a * a.b > b.a * b.b;
        });
        // An order that lists the same sizes as an earlier one packs the same way.
        const auto sameSizes = [&](const std::vector<int32_t>& other) {
            return std::equal(order.begin(), order.end(), other.begin(), [&](int32_t x, int32_t y) {
                const Item& a = items[static_cast<size_t>(x)];
                const Item& b = items[static_cast<size_t>(y)];
                return a.a == b.a && a.b == b.b && a.turnable == b.turnable;
            });
        };
        if (std::none_of(orders.begin(), orders.end(), sameSizes)) orders.push_back(std::move(order));
    }
    return orders;
}

bool better(const Packing& a, const Packing& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    return lightest(a) < lightest(b);
}

Packing bestFitPacking(const std::vector<Item>& items, Space space, int64_t enough, Budget& budget) {
    Packing best;
    bool found = false;
    for (const std::vector<int32_t>& order : itemOrders(items, allItems(items))) {
        for (const Rules& rules : kRules) {
            if (found && (budget.exhausted() || static_cast<int64_t>(best.size()) <= enough)) return best;
            FreeRectPacker packer(items, space, rules, std::numeric_limits<size_t>::max(), budget);
            for (int32_t i : order)
                packer.place(i, budget);
            if (!found || better(packer.bins, best)) best = std::move(packer.bins);
            found = true;
        }
    }
    return best;
}

Packing sheetBySheetPacking(const std::vector<Item>& items, Space space, Budget& budget) {
    Packing sheets;
    std::vector<int32_t> left = allItems(items);
    while (!left.empty()) {
        Bin fullest;
        for (const std::vector<int32_t>& order : itemOrders(items, left)) {
            for (const Rules& rules : kRules) {
                FreeRectPacker packer(items, space, rules, 1, budget);
                for (int32_t i : order)
                    packer.place(i, budget);
                if (fullest.places.empty() || packer.bins.front().area > fullest.area)
                    fullest = std::move(packer.bins.front());
                // Out of work: the first rule's sheet it is, for this and every further sheet.
                if (budget.exhausted()) break;
            }
            if (budget.exhausted()) break;
        }
        std::vector<bool> placed(items.size(), false);
        for (const Place& p : fullest.places)
            placed[static_cast<size_t>(p.item)] = true;
        std::erase_if(left, [&](int32_t i) { return placed[static_cast<size_t>(i)]; });
        sheets.push_back(std::move(fullest));
    }
    return sheets;
}

std::optional<Bin> packOneSheet(const std::vector<Item>& items,
                                const std::vector<std::vector<int32_t>>& orders, Space space,
                                Budget& budget) {
    for (const std::vector<int32_t>& order : orders) {
        for (const Rules& rules : kRules) {
            if (budget.exhausted()) return std::nullopt;
            FreeRectPacker packer(items, space, rules, 1, budget);
            bool all = true;
            for (int32_t i : order)
                all = all && packer.place(i, budget);
            if (all) return std::move(packer.bins.front());
        }
    }
    return std::nullopt;
}

} // namespace dalvex::packing
