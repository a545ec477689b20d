// First-fit shelf packing (Berkey and Wang's finite first fit): the plain two-stage plan every other one must
// beat. Shelves run along the sheet's length and are cut off across its width first.
#include "cutting/sheet_packers.h"

#include <algorithm>

namespace dalvex::packing {

namespace {

struct Shelf {
    int64_t y = 0, height = 0, used = 0;
};

} // namespace

Packing shelfPacking(const std::vector<Item>& items, Space space) {
    struct Laid {
        int32_t item;
        bool turned;
    };
    std::vector<Laid> laid;
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        // Long side along the length keeps shelves low.
        const bool turned = item.turnable && item.b > item.a && fits(item, true, space);
        laid.push_back({static_cast<int32_t>(i), turned || (item.turnable && !fits(item, false, space))});
    }
    std::stable_sort(laid.begin(), laid.end(), [&](const Laid& p, const Laid& q) {
        return extentY(items[static_cast<size_t>(p.item)], p.turned) >
               extentY(items[static_cast<size_t>(q.item)], q.turned);
    });
    Packing bins;
    std::vector<std::vector<Shelf>> shelves;
    for (const Laid& l : laid) {
        const Item& item = items[static_cast<size_t>(l.item)];
        const int64_t w = extentX(item, l.turned), h = extentY(item, l.turned);
        const auto put = [&](size_t bin, Shelf& shelf) {
            bins[bin].places.push_back({l.item, shelf.used, shelf.y, l.turned});
            bins[bin].area += item.a * item.b;
            shelf.used += w;
        };
        bool done = false;
        for (size_t b = 0; b < bins.size() && !done; ++b)
            for (Shelf& shelf : shelves[b])
                if (!done && shelf.height >= h && shelf.used + w <= space.length) {
                    put(b, shelf);
                    done = true;
                }
        for (size_t b = 0; b < bins.size() && !done; ++b) {
            const int64_t top = shelves[b].back().y + shelves[b].back().height;
            if (top + h > space.width) continue;
            shelves[b].push_back({top, h, 0});
            put(b, shelves[b].back());
            done = true;
        }
        if (!done) {
            bins.emplace_back();
            shelves.push_back({{0, h, 0}});
            put(bins.size() - 1, shelves.back().back());
        }
    }
    return bins;
}

} // namespace dalvex::packing
