#pragma once
// The packers behind packSheets. They work on sizes grown by one kerf: a part of a sheet of size S holds
// pieces side by side with a kerf between neighbours exactly when the grown pieces fit S + kerf, so the kerf
// drops out of the arithmetic. Positions are from the corner of the trimmed sheet.
#include <cstdint>
#include <optional>
#include <vector>

namespace dalvex::packing {

struct Item {
    int64_t a = 0; // along the sheet's length, unrotated
    int64_t b = 0; // along its width, unrotated
    bool turnable = false;
};

struct Space {
    int64_t length = 0;
    int64_t width = 0;
};

struct Place {
    int32_t item = 0;
    int64_t x = 0;
    int64_t y = 0;
    bool turned = false;
};

struct Bin {
    std::vector<Place> places;
    int64_t area = 0; // of the grown items
};

using Packing = std::vector<Bin>;

inline int64_t extentX(const Item& item, bool turned) {
    return turned ? item.b : item.a;
}
inline int64_t extentY(const Item& item, bool turned) {
    return turned ? item.a : item.b;
}
inline bool fits(const Item& item, bool turned, Space space) {
    return extentX(item, turned) <= space.length && extentY(item, turned) <= space.width;
}
// Turned only when the grain allows and turning changes anything.
inline bool mayTurn(const Item& item, bool turned) {
    return !turned || (item.turnable && item.a != item.b);
}

// The indices of every item, in order.
inline std::vector<int32_t> allItems(const std::vector<Item>& items) {
    std::vector<int32_t> all(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        all[i] = static_cast<int32_t>(i);
    return all;
}

// Work allowed to the search, counted in elementary steps so that the plan is the same on every machine.
struct Budget {
    int64_t left = 0;
    bool spend(int64_t steps) {
        left -= steps;
        return left >= 0;
    }
    bool exhausted() const { return left < 0; }
};

// Fewer sheets first, then the lighter lightest sheet (its waste kept in one place).
bool better(const Packing& a, const Packing& b);

// First-fit shelf packing: items by decreasing shelf height, lying long side along the sheet where they may,
// each on the first shelf with room, else on a new shelf of the first sheet with room, else on a new sheet.
Packing shelfPacking(const std::vector<Item>& items, Space space);

// The best of the best-fit guillotine packings of every item order and placement rule tried, stopping once
// `enough` sheets are reached. Every item must fit an empty sheet.
Packing bestFitPacking(const std::vector<Item>& items, Space space, int64_t enough, Budget& budget);

// Sheet by sheet: each sheet takes the fullest single-sheet packing of the items left that the rules find.
Packing sheetBySheetPacking(const std::vector<Item>& items, Space space, Budget& budget);

// The orders in which the packers take the items of `subset` (indices into `items`): by decreasing area,
// longer side, shorter side, perimeter, length and width, each listed once.
std::vector<std::vector<int32_t>> itemOrders(const std::vector<Item>& items,
                                             const std::vector<int32_t>& subset);

// One sheet holding all the items of the orders, or nothing when no rule finds one.
std::optional<Bin> packOneSheet(const std::vector<Item>& items,
                                const std::vector<std::vector<int32_t>>& orders, Space space, Budget& budget);

// The fewest sheets over every guillotine packing, by dynamic programming over the sub-multisets of equal
// items; nothing when the order is too large for the work allowed.
std::optional<Packing> exactPacking(const std::vector<Item>& items, Space space, Budget& budget);

// The items of `subset` on one sheet as short or as narrow as any guillotine packing makes them, whichever
// leaves the larger strip of the sheet free; nothing when they are too many for the work allowed.
std::optional<Bin> tightestSheet(const std::vector<Item>& items, const std::vector<int32_t>& subset,
                                 Space space, Budget& budget);

} // namespace dalvex::packing
