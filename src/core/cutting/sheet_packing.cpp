#include "cutting/sheet_packing.h"

#include "cutting/bin_bound.h"
#include "cutting/sheet_cuts.h"
#include "cutting/sheet_packers.h"

#include <algorithm>
#include <bit>

namespace dalvex {

using packing::Bin;
using packing::Budget;
using packing::Item;
using packing::mayTurn;
using packing::Packing;
using packing::Space;

namespace {

// Sides above 100 m are taken as 100 m: no sheet is that long, and areas stay far inside 64 bits.
constexpr int64_t kMaxSide = 1000000;
// Steps of work for the heuristics, for the exact search and for the offcut of the last sheet (exact for a
// few panels, else by the rules): a few milliseconds each at most, the same plan on every machine.
constexpr int64_t kHeuristicWork = 1500000;
constexpr int64_t kExactWork = 400000;
constexpr int64_t kTightestWork = 4000;
constexpr int64_t kOffcutWork = 20000;

int64_t ceilDiv(int64_t a, int64_t b) {
    return b > 0 ? (a + b - 1) / b : 0;
}

// The totals up to the sheet's side that the extents of distinct items can make along it, each item laid
// either way it may. Every guillotine pattern can be pushed into its corner so that its panels end at such
// totals.
class ReachableSums {
public:
    ReachableSums(const std::vector<Item>& items, const std::vector<int32_t>& subset, Space space,
                  bool alongLength)
        : capacity_(alongLength ? space.length : space.width),
          words_(static_cast<size_t>(std::max<int64_t>(0, capacity_) / 64 + 1), 0) {
        words_[0] = 1;
        for (int32_t i : subset) {
            const Item& item = items[static_cast<size_t>(i)];
            const std::vector<uint64_t> before = words_;
            for (bool turned : {false, true})
                if (mayTurn(item, turned) && fits(item, turned, space))
                    addShifted(before,
                               alongLength ? packing::extentX(item, turned) : packing::extentY(item, turned));
        }
    }

    bool has(int64_t total) const {
        return total >= 0 && total <= capacity_ &&
               (words_[static_cast<size_t>(total / 64)] >> (total % 64)) & 1u;
    }

    // The longest total: no guillotine pattern of these items is longer along this side.
    int64_t largest() const {
        for (int64_t w = capacity_ / 64; w >= 0; --w) {
            uint64_t bits = words_[static_cast<size_t>(w)];
            if (w == capacity_ / 64 && capacity_ % 64 != 63)
                bits &= (uint64_t{1} << (capacity_ % 64 + 1)) - 1;
            if (bits != 0) return w * 64 + 63 - std::countl_zero(bits);
        }
        return 0;
    }

private:
    void addShifted(const std::vector<uint64_t>& from, int64_t by) {
        const auto count = static_cast<int64_t>(from.size());
        const int64_t whole = by / 64, bits = by % 64;
        for (int64_t w = count - 1; w >= whole; --w) {
            uint64_t v = from[static_cast<size_t>(w - whole)] << bits;
            if (bits != 0 && w - whole >= 1) v |= from[static_cast<size_t>(w - whole - 1)] >> (64 - bits);
            words_[static_cast<size_t>(w)] |= v;
        }
    }

    int64_t capacity_;
    std::vector<uint64_t> words_;
};

// Items no two of which share a sheet need a sheet each.
int64_t apartBound(const std::vector<Item>& items, Space space) {
    const auto together = [&](const Item& p, const Item& q) {
        for (bool s : {false, true})
            for (bool t : {false, true}) {
                if (!mayTurn(p, s) || !mayTurn(q, t) || !fits(p, s, space) || !fits(q, t, space)) continue;
                const int64_t px = packing::extentX(p, s), py = packing::extentY(p, s);
                const int64_t qx = packing::extentX(q, t), qy = packing::extentY(q, t);
                if (px + qx <= space.length || py + qy <= space.width) return true;
            }
        return false;
    };
    std::vector<size_t> order(items.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return items[a].a * items[a].b > items[b].a * items[b].b; });
    std::vector<size_t> apart;
    for (size_t i : order)
        if (std::none_of(apart.begin(), apart.end(), [&](size_t j) { return together(items[i], items[j]); }))
            apart.push_back(i);
    return static_cast<int64_t>(apart.size());
}

// Panels longer than half the sheet whichever way they lie all cross its middle, so on one sheet their widths
// across that line add up to no more than the sheet's width: their sheets are at least the bins of a packing
// of those widths.
int64_t longPanelsBound(const std::vector<Item>& items, Space space) {
    int64_t bound = 0;
    for (bool alongLength : {true, false}) {
        const int64_t side = alongLength ? space.length : space.width;
        std::vector<int64_t> widths;
        for (const Item& item : items) {
            bool long_ = true;
            int64_t across = 0;
            for (bool turned : {false, true}) {
                if (!mayTurn(item, turned) || !fits(item, turned, space)) continue;
                const int64_t along =
                    alongLength ? packing::extentX(item, turned) : packing::extentY(item, turned);
                const int64_t width =
                    alongLength ? packing::extentY(item, turned) : packing::extentX(item, turned);
                long_ = long_ && 2 * along > side;
                across = across == 0 ? width : std::min(across, width);
            }
            if (long_) widths.push_back(across);
        }
        bound = std::max(bound, binCountBound(widths, alongLength ? space.width : space.length));
    }
    return bound;
}

int64_t usedExtent(const std::vector<Item>& items, const Bin& bin, bool alongLength) {
    int64_t used = 0;
    for (const packing::Place& p : bin.places) {
        const Item& item = items[static_cast<size_t>(p.item)];
        used = std::max(used, alongLength ? p.x + packing::extentX(item, p.turned)
                                          : p.y + packing::extentY(item, p.turned));
    }
    return used;
}

class SheetLayouts {
public:
    SheetLayouts(const std::vector<SheetPiece>& pieces, const std::vector<Item>& items,
                 const std::vector<int32_t>& pieceOf, int64_t kerf, int64_t trim, Space space)
        : pieces_(pieces), items_(items), pieceOf_(pieceOf), kerf_(kerf), trim_(trim), space_(space) {}

    // The sheet as placed and cut; nothing when its panels cannot be cut apart (never for the packers' bins).
    std::optional<PackedSheet> sheet(const Bin& bin) const {
        PackedSheet sheet;
        std::vector<PanelBox> boxes;
        for (const packing::Place& p : bin.places) {
            const SheetPiece& piece = pieces_[static_cast<size_t>(pieceOf_[static_cast<size_t>(p.item)])];
            const int64_t x = trim_ + p.x, y = trim_ + p.y;
            const int64_t alongX = p.turned ? piece.width : piece.height;
            const int64_t alongY = p.turned ? piece.height : piece.width;
            boxes.push_back({x, y, x + alongX, y + alongY});
            sheet.placements.push_back({pieceOf_[static_cast<size_t>(p.item)], static_cast<int32_t>(x),
                                        static_cast<int32_t>(y), p.turned});
        }
        const PanelBox usable{trim_, trim_, trim_ + space_.length - kerf_, trim_ + space_.width - kerf_};
        auto cuts = guillotineCuts(boxes, usable, kerf_);
        if (!cuts) return std::nullopt;
        sheet.cuts = std::move(cuts->cuts);
        sheet.offcut = cuts->offcut;
        std::stable_sort(sheet.placements.begin(), sheet.placements.end(),
                         [](const PiecePlacement& a, const PiecePlacement& b) {
                             return a.x != b.x ? a.x < b.x : a.y < b.y;
                         });
        return sheet;
    }

    int64_t offcutArea(const Bin& bin) const {
        const auto s = sheet(bin);
        return s ? int64_t{s->offcut.length} * s->offcut.width : -1;
    }

    // The last sheet's panels laid out again as short (or as narrow) as they can be, so that its waste comes
    // off in one piece; kept when that offcut is larger. Exact for a few panels, else as short as the rules
    // manage, found by halving over the totals the panels can make.
    Bin gatherOffcut(const Bin& last) const {
        Budget budget{kOffcutWork};
        std::vector<int32_t> subset;
        for (const packing::Place& p : last.places)
            subset.push_back(p.item);
        // A single panel sits in the corner already.
        if (subset.size() < 2) return last;
        Bin best = last;
        int64_t bestOffcut = offcutArea(last);
        const auto consider = [&](Bin bin) {
            const int64_t area = offcutArea(bin);
            if (area <= bestOffcut) return;
            best = std::move(bin);
            bestOffcut = area;
        };
        Budget exact{kTightestWork};
        if (auto tight = packing::tightestSheet(items_, subset, space_, exact)) {
            consider(std::move(*tight));
            return best;
        }
        const std::vector<std::vector<int32_t>> orders = packing::itemOrders(items_, subset);
        for (bool alongLength : {true, false}) {
            const ReachableSums sums(items_, subset, space_, alongLength);
            std::vector<int64_t> sides;
            const int64_t used = usedExtent(items_, last, alongLength);
            for (int64_t side = ceilDiv(last.area, alongLength ? space_.width : space_.length); side < used;
                 ++side)
                if (sums.has(side)) sides.push_back(side);
            std::optional<Bin> shortest;
            size_t low = 0, high = sides.size();
            while (low < high && !budget.exhausted()) {
                const size_t mid = low + (high - low) / 2;
                const Space probe =
                    alongLength ? Space{sides[mid], space_.width} : Space{space_.length, sides[mid]};
                if (auto bin = packing::packOneSheet(items_, orders, probe, budget)) {
                    high = mid;
                    shortest = std::move(bin);
                } else {
                    low = mid + 1;
                }
            }
            if (shortest) consider(std::move(*shortest));
        }
        return best;
    }

private:
    const std::vector<SheetPiece>& pieces_;
    const std::vector<Item>& items_;
    const std::vector<int32_t>& pieceOf_;
    int64_t kerf_, trim_;
    Space space_;
};

} // namespace

SheetPacking packSheets(const std::vector<SheetPiece>& pieces, const SheetStock& stock) {
    SheetPacking result;
    const int64_t kerf = std::max(0, stock.kerf);
    const int64_t trim = std::max(0, stock.trim);
    const Space space{std::clamp<int64_t>(stock.length, 0, kMaxSide) - 2 * trim + kerf,
                      std::clamp<int64_t>(stock.width, 0, kMaxSide) - 2 * trim + kerf};
    std::vector<Item> items;
    std::vector<int32_t> pieceOf;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const SheetPiece& piece = pieces[i];
        if (piece.height <= 0 || piece.width <= 0) {
            result.sizeless.push_back(static_cast<int32_t>(i));
            continue;
        }
        const Item item{int64_t{piece.height} + kerf, int64_t{piece.width} + kerf, !stock.grain};
        if (!fits(item, false, space) && !(mayTurn(item, true) && fits(item, true, space))) {
            result.oversized.push_back(static_cast<int32_t>(i));
            continue;
        }
        items.push_back(item);
        pieceOf.push_back(static_cast<int32_t>(i));
    }
    if (items.empty()) {
        result.proved = true;
        return result;
    }

    int64_t total = 0;
    for (const Item& item : items)
        total += item.a * item.b;
    const int64_t areaBound = ceilDiv(total, space.length * space.width);
    result.areaBound = static_cast<int32_t>(areaBound);
    const std::vector<int32_t> all = packing::allItems(items);
    const int64_t reachableArea =
        ReachableSums(items, all, space, true).largest() * ReachableSums(items, all, space, false).largest();
    const int64_t bound = std::max(
        {areaBound, ceilDiv(total, reachableArea), apartBound(items, space), longPanelsBound(items, space)});

    Packing best = packing::shelfPacking(items, space);
    Budget work{kHeuristicWork};
    const auto enough = [&] { return static_cast<int64_t>(best.size()) <= bound; };
    if (!enough()) {
        Packing fit = packing::bestFitPacking(items, space, bound, work);
        if (packing::better(fit, best)) best = std::move(fit);
    }
    if (!enough() && !work.exhausted()) {
        Packing filled = packing::sheetBySheetPacking(items, space, work);
        if (packing::better(filled, best)) best = std::move(filled);
    }
    result.proved = enough();
    if (!result.proved) {
        Budget search{kExactWork};
        if (auto exact = packing::exactPacking(items, space, search)) {
            result.proved = true;
            if (packing::better(*exact, best)) best = std::move(*exact);
        }
    }

    std::stable_sort(best.begin(), best.end(), [](const Bin& a, const Bin& b) { return a.area > b.area; });
    const SheetLayouts layouts(pieces, items, pieceOf, kerf, trim, space);
    best.back() = layouts.gatherOffcut(best.back());
    for (const Bin& bin : best) {
        auto sheet = layouts.sheet(bin);
        if (!sheet) {
            // Never expected: every packer cuts with guillotine cuts. The shelves always can be.
            result.sheets.clear();
            for (const Bin& shelf : packing::shelfPacking(items, space))
                result.sheets.push_back(*layouts.sheet(shelf));
            result.proved = false;
            return result;
        }
        result.sheets.push_back(std::move(*sheet));
    }
    return result;
}

} // namespace dalvex
