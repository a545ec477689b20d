// The sheet cutting plan, checked by a validator that knows nothing of how the plan is made: every panel cut
// exactly once, inside the trimmed sheet, a kerf between neighbours, grain kept, the sheet cuttable with
// guillotine cuts, the plan's own cut sequence freeing every panel, and never more sheets than shelf packing.
#include "cutting/sheet_plan.h"
#include "project_test_support.h"
#include "random_project.h"
#include "records/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace dalvex {
namespace {

struct Box {
    int64_t x0, y0, x1, y1;
};

bool bandHits(const Box& band, const Box& b) {
    return band.x0 < b.x1 && b.x0 < band.x1 && band.y0 < b.y1 && b.y0 < band.y1;
}

// True when the boxes can be parted by cuts edge to edge of the part they divide, each taking `kerf`.
bool cuttable(const std::vector<Box>& boxes, int64_t kerf) {
    if (boxes.size() <= 1) return true;
    for (bool alongX : {true, false}) {
        for (const Box& at : boxes) {
            const int64_t c = alongX ? at.y1 : at.x1;
            std::vector<Box> before, after;
            for (const Box& b : boxes) {
                if ((alongX ? b.y1 : b.x1) <= c)
                    before.push_back(b);
                else if ((alongX ? b.y0 : b.x0) >= c + kerf)
                    after.push_back(b);
                else
                    break;
            }
            if (before.size() + after.size() != boxes.size() || after.empty()) continue;
            return cuttable(before, kerf) && cuttable(after, kerf);
        }
    }
    return false;
}

int64_t grownLength(const SheetStock& s) {
    return int64_t{s.length} - 2 * int64_t{std::max(0, s.trim)} + std::max(0, s.kerf);
}
int64_t grownWidth(const SheetStock& s) {
    return int64_t{s.width} - 2 * int64_t{std::max(0, s.trim)} + std::max(0, s.kerf);
}

// First-fit shelf packing by decreasing shelf height, long side along the sheet where the grain allows.
size_t shelfSheets(const std::vector<SheetPiece>& pieces, const SheetStock& s) {
    const int64_t kerf = std::max(0, s.kerf), length = grownLength(s), width = grownWidth(s);
    struct Laid {
        int64_t along, across;
    };
    std::vector<Laid> laid;
    for (const SheetPiece& p : pieces) {
        if (p.height <= 0 || p.width <= 0) continue;
        const int64_t h = p.height + kerf, w = p.width + kerf;
        const bool upright = h <= length && w <= width;
        const bool turned = !s.grain && w <= length && h <= width;
        if (!upright && !turned) continue;
        laid.push_back((turned && (w > h || !upright)) ? Laid{w, h} : Laid{h, w});
    }
    std::stable_sort(laid.begin(), laid.end(),
                     [](const Laid& a, const Laid& b) { return a.across > b.across; });
    struct Shelf {
        int64_t height, used;
    };
    std::vector<std::vector<Shelf>> sheets;
    std::vector<int64_t> heights;
    for (const Laid& l : laid) {
        bool done = false;
        for (auto& shelves : sheets)
            for (Shelf& shelf : shelves)
                if (!done && shelf.height >= l.across && shelf.used + l.along <= length) {
                    shelf.used += l.along;
                    done = true;
                }
        for (size_t k = 0; k < sheets.size() && !done; ++k)
            if (heights[k] + l.across <= width) {
                sheets[k].push_back({l.across, l.along});
                heights[k] += l.across;
                done = true;
            }
        if (!done) {
            sheets.push_back({{l.across, l.along}});
            heights.push_back(l.across);
        }
    }
    return sheets.size();
}

int64_t areaBound(const std::vector<SheetPiece>& pieces, const SheetPacking& packing, const SheetStock& s) {
    const int64_t kerf = std::max(0, s.kerf);
    std::vector<bool> left(pieces.size(), false);
    for (int32_t i : packing.oversized)
        left[static_cast<size_t>(i)] = true;
    int64_t area = 0;
    for (size_t i = 0; i < pieces.size(); ++i)
        if (!left[i] && pieces[i].height > 0 && pieces[i].width > 0)
            area += (pieces[i].height + kerf) * (pieces[i].width + kerf);
    const int64_t sheet = grownLength(s) * grownWidth(s);
    return sheet > 0 ? (area + sheet - 1) / sheet : 0;
}

// Empty when `packing` is a correct cutting of `pieces` from sheets of `s`; otherwise what is wrong with it.
std::string validate(const std::vector<SheetPiece>& pieces, const SheetStock& s,
                     const SheetPacking& packing) {
    const int64_t kerf = std::max(0, s.kerf), trim = std::max(0, s.trim);
    const Box usable{trim, trim, int64_t{s.length} - trim, int64_t{s.width} - trim};
    std::vector<int> seen(pieces.size(), 0);
    for (int32_t i : packing.sizeless) {
        if (i < 0 || static_cast<size_t>(i) >= pieces.size()) return "a panel without size not in the list";
        ++seen[static_cast<size_t>(i)];
        const SheetPiece& p = pieces[static_cast<size_t>(i)];
        if (p.height > 0 && p.width > 0) return "panel " + std::to_string(i) + " has a size but is left out";
    }
    for (int32_t i : packing.oversized) {
        if (i < 0 || static_cast<size_t>(i) >= pieces.size()) return "an oversized panel not in the list";
        ++seen[static_cast<size_t>(i)];
        const SheetPiece& p = pieces[static_cast<size_t>(i)];
        const int64_t l = usable.x1 - usable.x0, w = usable.y1 - usable.y0;
        if ((p.height <= l && p.width <= w) || (!s.grain && p.width <= l && p.height <= w))
            return "panel " + std::to_string(i) + " fits a sheet but is left out";
    }
    for (size_t n = 0; n < packing.sheets.size(); ++n) {
        const PackedSheet& sheet = packing.sheets[n];
        const std::string where = "sheet " + std::to_string(n) + ": ";
        if (sheet.placements.empty()) return where + "empty";
        std::vector<Box> boxes;
        for (const PiecePlacement& at : sheet.placements) {
            if (at.piece < 0 || static_cast<size_t>(at.piece) >= pieces.size())
                return where + "unknown panel";
            ++seen[static_cast<size_t>(at.piece)];
            const SheetPiece& p = pieces[static_cast<size_t>(at.piece)];
            if (s.grain && at.rotated) return where + "a panel of a grained material turned";
            const Box b{at.x, at.y, int64_t{at.x} + (at.rotated ? p.width : p.height),
                        int64_t{at.y} + (at.rotated ? p.height : p.width)};
            if (b.x0 < usable.x0 || b.y0 < usable.y0 || b.x1 > usable.x1 || b.y1 > usable.y1)
                return where + "a panel outside the trimmed sheet";
            for (const Box& o : boxes)
                if (o.x1 + kerf > b.x0 && b.x1 + kerf > o.x0 && o.y1 + kerf > b.y0 && b.y1 + kerf > o.y0)
                    return where + "two panels closer than a kerf";
            boxes.push_back(b);
        }
        if (!cuttable(boxes, kerf)) return where + "not cuttable with guillotine cuts";
        // The plan's own cuts, in their order: each divides one part edge to edge and hits no panel; at the
        // end every panel is a part of its own.
        std::vector<Box> parts{usable};
        int32_t stage = 1;
        for (const SheetCut& c : sheet.cuts) {
            if (c.stage < stage) return where + "cuts out of stage order";
            stage = c.stage;
            const auto part = std::find_if(parts.begin(), parts.end(), [&](const Box& p) {
                return c.alongLength
                           ? p.x0 == c.x && p.x1 == int64_t{c.x} + c.length && p.y0 < c.y && c.y < p.y1
                           : p.y0 == c.y && p.y1 == int64_t{c.y} + c.length && p.x0 < c.x && c.x < p.x1;
            });
            if (part == parts.end()) return where + "a cut that does not divide a part edge to edge";
            const Box band = c.alongLength ? Box{part->x0, c.y, part->x1, c.y + kerf}
                                           : Box{c.x, part->y0, c.x + kerf, part->y1};
            for (const Box& b : boxes)
                if (bandHits(band, b)) return where + "a cut through a panel";
            Box low = *part, high = *part;
            (c.alongLength ? low.y1 : low.x1) = c.alongLength ? c.y : c.x;
            (c.alongLength ? high.y0 : high.x0) =
                std::min(c.alongLength ? part->y1 : part->x1, (c.alongLength ? c.y : c.x) + kerf);
            parts.erase(part);
            parts.push_back(low);
            if (high.x0 < high.x1 && high.y0 < high.y1) parts.push_back(high);
        }
        for (const Box& b : boxes)
            if (std::none_of(parts.begin(), parts.end(), [&](const Box& p) {
                    return p.x0 == b.x0 && p.y0 == b.y0 && p.x1 == b.x1 && p.y1 == b.y1;
                }))
                return where + "a panel the cuts do not free";
        const SheetRect& o = sheet.offcut;
        if (o.length > 0) {
            const Box off{o.x, o.y, int64_t{o.x} + o.length, int64_t{o.y} + o.width};
            if (std::none_of(parts.begin(), parts.end(),
                             [&](const Box& p) {
                                 return p.x0 == off.x0 && p.y0 == off.y0 && p.x1 == off.x1 && p.y1 == off.y1;
                             }) ||
                std::any_of(boxes.begin(), boxes.end(), [&](const Box& b) { return bandHits(off, b); }))
                return where + "the offcut is not a piece of waste the cuts free";
        }
    }
    // Every panel is accounted for once: placed, too large, or without size.
    for (size_t i = 0; i < pieces.size(); ++i)
        if (seen[i] != 1)
            return "panel " + std::to_string(i) + " placed " + std::to_string(seen[i]) + " times";
    if (packing.sheets.size() > shelfSheets(pieces, s)) return "more sheets than shelf packing";
    if (static_cast<int64_t>(packing.sheets.size()) < areaBound(pieces, packing, s) ||
        packing.areaBound != areaBound(pieces, packing, s))
        return "the area bound is wrong";
    return {};
}

constexpr SheetStock kChipboard{28000, 20700, 40, 100, true};
constexpr SheetStock kMirror{32100, 22500, 40, 100, false};

TEST(SheetPackingTest, CasesWithAKnownAnswer) {
    struct Case {
        const char* what;
        std::vector<SheetPiece> pieces;
        SheetStock stock;
        size_t sheets;
        size_t oversized;
        int rotated; // -1: either way
    };
    const auto many = [](size_t n, SheetPiece p) { return std::vector<SheetPiece>(n, p); };
    SheetStock noGrain = kChipboard;
    noGrain.grain = false;
    SheetStock untrimmed = kChipboard;
    untrimmed.trim = 0;
    const Case cases[] = {
        {"one panel", {{10000, 5000}}, kChipboard, 1, 0, 0},
        {"no panels", {}, kChipboard, 0, 0, 0},
        {"a panel without area is nothing to cut", {{0, 5000}, {10000, -1}}, kChipboard, 0, 0, 0},
        // Grain keeps the low wide panels upright: four a sheet instead of six turned.
        {"grain keeps panels upright", many(6, {6000, 13000}), kChipboard, 2, 0, 0},
        {"without grain they turn", many(6, {6000, 13000}), noGrain, 1, 0, -1},
        {"wider than the sheet, upright only", {{10000, 21000}}, kChipboard, 0, 1, 0},
        {"wider than the sheet, turned", {{10000, 21000}}, noGrain, 1, 0, 1},
        {"longer than the sheet less its trim", {{27850, 5000}, {10000, 5000}}, kChipboard, 1, 1, 0},
        {"as long as the untrimmed sheet", {{27850, 5000}}, untrimmed, 1, 0, 0},
        // Two panels and one kerf fill the trimmed length exactly; a tenth more and they need two sheets.
        {"kerf between two panels", many(2, {13880, 20500}), kChipboard, 1, 0, 0},
        {"a tenth too long for the kerf", many(2, {13881, 20500}), kChipboard, 2, 0, 0},
        // Ten a sheet: two along the length, five across.
        {"many identical panels", many(50, {10000, 4000}), kChipboard, 5, 0, 0},
        {"many identical mirrors", many(40, {7000, 3000}), kMirror, 2, 0, -1},
    };
    for (const Case& c : cases) {
        const SheetPacking packing = packSheets(c.pieces, c.stock);
        EXPECT_EQ(validate(c.pieces, c.stock, packing), "") << c.what;
        EXPECT_EQ(packing.sheets.size(), c.sheets) << c.what;
        EXPECT_EQ(packing.oversized.size(), c.oversized) << c.what;
        int rotated = 0;
        for (const PackedSheet& sheet : packing.sheets)
            for (const PiecePlacement& p : sheet.placements)
                rotated += p.rotated ? 1 : 0;
        if (c.rotated >= 0) {
            EXPECT_EQ(rotated, c.rotated) << c.what;
        }
        EXPECT_TRUE(packing.proved) << c.what;
    }
}

TEST(SheetPackingTest, TheLastSheetKeepsItsWasteInOneOffcut) {
    struct Case {
        std::vector<SheetPiece> pieces;
        SheetRect offcut;
    };
    const Case cases[] = {
        // One panel in the corner: a cut along the length frees the whole strip beside it.
        {{{10000, 5000}}, {100, 5140, 27800, 15460}},
        // Three panels a sheet; the fourth alone leaves all but its own strip of the second sheet.
        {std::vector<SheetPiece>(4, {20000, 6000}), {100, 6140, 27800, 14460}},
    };
    for (const Case& c : cases) {
        const SheetPacking packing = packSheets(c.pieces, kChipboard);
        ASSERT_EQ(validate(c.pieces, kChipboard, packing), "");
        const SheetRect& o = packing.sheets.back().offcut;
        EXPECT_EQ(int64_t{o.length} * o.width, int64_t{c.offcut.length} * c.offcut.width)
            << o.x << " " << o.y << " " << o.length << " " << o.width;
    }
}

TEST(SheetPackingTest, RandomListsAreCutCorrectly) {
    struct Shape {
        size_t minCount, maxCount;
        int32_t minSide, maxSide;
        SheetStock stock;
    };
    SheetStock bare = kMirror;
    bare.kerf = 0;
    bare.trim = 0;
    const Shape shapes[] = {
        {1, 6, 2000, 20000, kChipboard}, {1, 6, 2000, 20000, kMirror},   {5, 30, 1500, 12000, kChipboard},
        {5, 30, 1500, 12000, bare},      {30, 120, 1000, 8000, kMirror}, {8, 16, 9000, 23000, kMirror},
    };
    std::mt19937 rng(20261230u);
    for (const Shape& s : shapes) {
        for (int round = 0; round < 40; ++round) {
            std::vector<SheetPiece> pieces(s.minCount + rng() % (s.maxCount - s.minCount + 1));
            // A few sizes repeated, as the doors of one wardrobe repeat their panels.
            std::vector<SheetPiece> sizes(1 + rng() % 6);
            for (SheetPiece& p : sizes)
                p = {s.minSide + static_cast<int32_t>(rng() % static_cast<uint32_t>(s.maxSide - s.minSide)),
                     s.minSide + static_cast<int32_t>(rng() % static_cast<uint32_t>(s.maxSide - s.minSide))};
            for (SheetPiece& p : pieces)
                p = sizes[rng() % sizes.size()];
            const SheetPacking packing = packSheets(pieces, s.stock);
            ASSERT_EQ(validate(pieces, s.stock, packing), "") << "shape " << s.minCount << " round " << round;
            const SheetPacking again = packSheets(pieces, s.stock);
            ASSERT_EQ(again.sheets.size(), packing.sheets.size());
            for (size_t k = 0; k < packing.sheets.size(); ++k)
                for (size_t i = 0; i < packing.sheets[k].placements.size(); ++i)
                    ASSERT_EQ(again.sheets[k].placements[i].x, packing.sheets[k].placements[i].x)
                        << "the plan changed between runs";
        }
    }
}

// The fewest sheets for a few panels, found without the planner: every way to share the panels out among
// sheets, each sheet checked by the shortest length its panels can be cut into at its width, trying every
// first cut. In sizes grown by one kerf, so that a kerf is one more unit of length.
class Brute {
public:
    Brute(const std::vector<SheetPiece>& pieces, const SheetStock& s) : stock_(s) {
        const int64_t kerf = std::max(0, s.kerf);
        for (const SheetPiece& p : pieces)
            sizes_.push_back({p.height + kerf, p.width + kerf});
    }

    size_t fewestSheets() {
        std::vector<std::vector<size_t>> groups;
        best_ = sizes_.size();
        share(0, groups);
        return best_;
    }

private:
    static constexpr int64_t kNone = std::numeric_limits<int64_t>::max() / 4;

    int64_t shortest(const std::vector<size_t>& set, int64_t width) const {
        if (set.size() == 1) {
            const auto [h, w] = sizes_[set.front()];
            int64_t best = w <= width ? h : kNone;
            if (!stock_.grain && h <= width) best = std::min(best, w);
            return best;
        }
        int64_t best = kNone;
        for (unsigned mask = 1; mask + 1 < (1u << set.size()); ++mask) {
            std::vector<size_t> a, b;
            for (size_t i = 0; i < set.size(); ++i)
                ((mask >> i) & 1u ? a : b).push_back(set[i]);
            best = std::min(best, shortest(a, width) + shortest(b, width));
            // Side by side across the width: the cut lies where the first part's widths add up.
            for (int64_t w : widthSums(a))
                if (w < width) best = std::min(best, std::max(shortest(a, w), shortest(b, width - w)));
        }
        return best;
    }

    std::vector<int64_t> widthSums(const std::vector<size_t>& set) const {
        std::vector<int64_t> sums{0};
        for (size_t i : set) {
            std::vector<int64_t> more;
            for (int64_t s : sums) {
                more.push_back(s + sizes_[i].second);
                if (!stock_.grain) more.push_back(s + sizes_[i].first);
            }
            sums = std::move(more);
        }
        return sums;
    }

    void share(size_t k, std::vector<std::vector<size_t>>& groups) {
        if (groups.size() >= best_) return;
        if (k == sizes_.size()) {
            for (const auto& g : groups)
                if (shortest(g, grownWidth(stock_)) > grownLength(stock_)) return;
            best_ = groups.size();
            return;
        }
        for (size_t g = 0; g <= groups.size(); ++g) {
            if (g == groups.size()) groups.emplace_back();
            groups[g].push_back(k);
            share(k + 1, groups);
            groups[g].pop_back();
            if (groups[g].empty()) groups.pop_back();
        }
    }

    SheetStock stock_;
    std::vector<std::pair<int64_t, int64_t>> sizes_;
    size_t best_ = 0;
};

TEST(SheetPackingTest, FewPanelsTakeTheFewestSheets) {
    std::mt19937 rng(77u);
    for (const SheetStock& stock : {kChipboard, kMirror}) {
        for (int round = 0; round < 100; ++round) {
            // Panels of a third to four fifths of the sheet each way: one to five sheets.
            std::vector<SheetPiece> pieces(2 + rng() % 4);
            for (SheetPiece& p : pieces)
                p = {stock.length / 3 + static_cast<int32_t>(rng() % static_cast<uint32_t>(stock.length / 2)),
                     stock.width / 4 + static_cast<int32_t>(rng() % static_cast<uint32_t>(stock.width / 2))};
            const SheetPacking packing = packSheets(pieces, stock);
            ASSERT_EQ(validate(pieces, stock, packing), "");
            ASSERT_EQ(packing.sheets.size(), Brute(pieces, stock).fewestSheets()) << "round " << round;
            ASSERT_TRUE(packing.proved);
        }
    }
}

TEST(SheetPackingTest, ExtremeInputsNeitherFailNorDropPanels) {
    constexpr int32_t big = std::numeric_limits<int32_t>::max();
    constexpr int32_t small = std::numeric_limits<int32_t>::min();
    struct Case {
        std::vector<SheetPiece> pieces;
        SheetStock stock;
    };
    const Case cases[] = {
        {{{10, 10}}, {0, 0, 40, 100, false}},
        {{{10, 10}, {big, big}}, {big, big, 0, 0, false}},
        {{{5000, 5000}}, {20000, 20000, big, big, true}},
        {{{5000, 5000}}, {20000, 20000, small, small, false}},
        {{{small, 5}, {5, 5}}, {small, small, 0, 0, false}},
        {std::vector<SheetPiece>(300, {10, 10}), kMirror},
    };
    for (const Case& c : cases) {
        SheetStock checked = c.stock;
        checked.length = std::clamp(checked.length, 0, 1000000);
        checked.width = std::clamp(checked.width, 0, 1000000);
        EXPECT_EQ(validate(c.pieces, checked, packSheets(c.pieces, c.stock)), "") << c.pieces.size();
    }
}

// Materials as a dealer's lists give them, for the random projects.
std::vector<Material> sampleMaterials() {
    std::vector<Material> m(4);
    m[0].collection = "ЛДСП Эггер";
    m[0].code = "H1145 ST10";
    m[0].name = "Дуб Бардолино";
    m[0].length = 2800;
    m[0].width = 2070;
    m[0].thickness = 160;
    m[1] = m[0];
    m[1].code = "W1000 ST9";
    m[1].name = "Белый премиум";
    m[2].collection = "Зеркала";
    m[2].code = "ЗР-С4";
    m[2].name = "Зеркало серебро";
    m[2].length = 3210;
    m[2].width = 2250;
    m[2].thickness = 40;
    m[3].collection = "Стекло";
    m[3].code = "СТ-П4";
    m[3].thickness = 40;
    for (Material& material : m) {
        material.picturePath = material.code + ".jpg";
        material.pricePerSquareMetre = 100000;
    }
    return m;
}

class SheetPlanProjectTest : public testing::ProjectTest {
protected:
    // A random project, its inserts filled at random (one in eight left empty).
    void randomProject(std::mt19937& rng) {
        test::randomProject(*project_, *editor_, *catalogue_, rng);
        // Materials of no catalogue: put in by hand, the order then calculated anew.
        for (int k = 0; k < project_->doorCount; ++k)
            for (auto& [id, insert] : project_->sketch.doors[k].inserts)
                insert.material = rng() % 8 == 0 ? nullptr : &materials_[rng() % materials_.size()];
        recalculated();
    }

    std::vector<Material> materials_ = sampleMaterials();
};

TEST_F(SheetPlanProjectTest, EveryPanelOfRandomProjectsIsPlannedCorrectly) {
    const CuttingSettings settings;
    std::mt19937 rng(30u);
    size_t planned = 0, atAreaBound = 0, proved = 0, worstExcess = 0;
    double worstRatio = 0.0;
    for (int round = 0; round < 1000; ++round) {
        randomProject(rng);
        const CalcResult& result = project_->result;
        size_t panels = 0;
        for (const MaterialSheets& plan : planSheets(result, settings)) {
            // Back to the list form, for the validator: the panels are known by their labels.
            std::vector<SheetPiece> pieces;
            std::vector<std::string> labels;
            SheetPacking packing;
            packing.areaBound = plan.areaBound;
            for (const PlannedSheet& sheet : plan.sheets) {
                PackedSheet packed{{}, sheet.cuts, sheet.offcut};
                for (const PlannedPanel& p : sheet.panels) {
                    packed.placements.push_back({static_cast<int32_t>(pieces.size()), p.x, p.y, p.rotated});
                    pieces.push_back({p.height, p.width});
                    labels.push_back(p.label);
                }
                packing.sheets.push_back(std::move(packed));
            }
            for (const PlannedPanel& p : plan.leftOut) {
                const bool sizeless = p.height <= 0 || p.width <= 0;
                if (plan.sheetLength > 0)
                    (sizeless ? packing.sizeless : packing.oversized)
                        .push_back(static_cast<int32_t>(pieces.size()));
                pieces.push_back({p.height, p.width});
                labels.push_back(p.label);
                ASSERT_FALSE(p.reason.empty()) << p.label;
                ASSERT_NE(plan.error.find(p.reason), std::string::npos) << p.label;
            }
            ASSERT_EQ(plan.leftOut.empty(), plan.error.empty()) << plan.code;
            for (size_t i = 0; i < labels.size(); ++i) {
                const auto line = std::find_if(result.panelLines.begin(), result.panelLines.end(),
                                               [&](const PanelLine& l) { return l.label == labels[i]; });
                ASSERT_NE(line, result.panelLines.end()) << labels[i];
                ASSERT_EQ(line->materialLine, plan.lineIndex) << labels[i];
                ASSERT_EQ(hasGrain(*line->material, settings), plan.grain) << labels[i];
            }
            panels += labels.size();
            if (plan.sheetLength == 0) continue;
            const SheetStock stock{plan.sheetLength, plan.sheetWidth, plan.kerf, plan.trim, plan.grain};
            ASSERT_EQ(validate(pieces, stock, packing), "") << plan.code << " round " << round;
            if (plan.sheets.empty()) continue;
            ++planned;
            atAreaBound += plan.sheets.size() == static_cast<size_t>(plan.areaBound) ? 1 : 0;
            proved += plan.proved ? 1 : 0;
            worstExcess = std::max(worstExcess, plan.sheets.size() - static_cast<size_t>(plan.areaBound));
            worstRatio = std::max(worstRatio, static_cast<double>(plan.sheets.size()) / plan.areaBound);
        }
        // Every panel is planned or left out by name, those without area too.
        const size_t billed =
            static_cast<size_t>(std::count_if(result.panelLines.begin(), result.panelLines.end(),
                                              [](const PanelLine& l) { return l.material; }));
        ASSERT_EQ(billed, panels) << "round " << round;
    }
    const auto percent = [&](size_t n) { return planned ? 100.0 * static_cast<double>(n) / planned : 0.0; };
    std::printf("[ figure   ] kerf 4 mm, trim 10 mm, %zu materials: at the area bound %zu (%.1f %%), proved "
                "fewest %zu (%.1f %%), worst excess over the area bound %zu sheet(s) (%.2f times)\n",
                planned, atAreaBound, percent(atAreaBound), proved, percent(proved), worstExcess, worstRatio);
    EXPECT_GE(percent(atAreaBound), 90.0);
}

TEST(SheetPlanTest, GrainFollowsTheListThenTheShopsRule) {
    struct Case {
        const char* collection;
        const char* name;
        std::optional<bool> column;
        bool grain;
    };
    const Case cases[] = {
        {"ЛДСП Эггер", "Дуб Бардолино натуральный", std::nullopt, true},
        {"ЛДСП Эггер", "Берёза Майнау", std::nullopt, true},
        {"лдсп кроношпан", "Береза", std::nullopt, true},
        {"ЛДСП Эггер", "Белый премиум", std::nullopt, false},
        {"ЛДСП Эггер", "Белый премиум", true, true},
        {"ЛДСП Эггер", "Дуб Бардолино натуральный", false, false},
        {"Зеркала", "Зеркало серебро", std::nullopt, false},
        {"Стекло", "Стекло Дуб", std::nullopt, false},
        {"ЛДСП Эггер", "Белый арктик", std::nullopt, false},
        {"ЛДСП Эггер", "Тик натуральный", std::nullopt, true},
    };
    for (const Case& c : cases) {
        Material m;
        m.collection = c.collection;
        m.name = c.name;
        m.grain = c.column;
        EXPECT_EQ(hasGrain(m, CuttingSettings{}), c.grain) << c.collection << " / " << c.name;
    }
    CuttingSettings everyChipboard;
    everyChipboard.grainDecors.clear();
    Material white;
    white.collection = "ЛДСП Эггер";
    white.name = "Белый премиум";
    EXPECT_TRUE(hasGrain(white, everyChipboard));
}

// Priced by sheets, a material line whose every panel is planned buys whole sheets; a line with panels left
// out, without a sheet size or with an error keeps the bill's figures.
TEST_F(SheetPlanProjectTest, PriceBySheetsChangesOnlyFullyPlannedLines) {
    std::vector<Material>& m = materials_;
    CuttingSettings settings;
    settings.priceBySheets = true;
    Project bySheets(*catalogue_, folder_.path() / "config", settings);
    ProjectEditor sheeted(bySheets);
    for (ProjectEditor* e : {editor_.get(), &sheeted}) {
        Project& p = e == &sheeted ? bySheets : *project_;
        e->apply(edit::SelectSystem{system("Далвекс")});
        e->apply(edit::SetWidth{30000});
        e->apply(edit::SetHeight{24000});
        for (int k = 0; k < 3; ++k)
            for (auto& [id, insert] : p.sketch.doors[k].inserts)
                insert.material = &m[static_cast<size_t>(k)]; // wood, white chipboard, mirror
        ASSERT_TRUE(e->apply(edit::SetWidth{p.width})); // calculated anew, as after any change
    }
    const CalcResult& billed = project_->result;
    const CalcResult& priced = bySheets.result;
    ASSERT_EQ(priced.materialLines.size(), billed.materialLines.size());
    const auto plans = planSheets(billed, settings);
    for (size_t l = 0; l < priced.materialLines.size(); ++l) {
        const MaterialLine& line = priced.materialLines[l];
        size_t sheets = 0;
        double area = 0.0;
        for (const MaterialSheets& plan : plans)
            if (plan.lineIndex == static_cast<int32_t>(l)) {
                sheets += plan.sheets.size();
                area += plan.sheets.size() * plan.sheetLength / 10000.0 * plan.sheetWidth / 10000.0;
            }
        ASSERT_EQ(sheets, 1u) << line.name;
        EXPECT_DOUBLE_EQ(line.area, area) << line.name;
        EXPECT_EQ(line.amount, static_cast<int32_t>(std::ceil(100000 * area))) << line.name;
        EXPECT_EQ(line.description, billed.materialLines[l].description + ", листов: 1");
    }
    for (size_t a = 0; a < priced.articleLines.size(); ++a)
        EXPECT_EQ(priced.articleLines[a].amount, billed.articleLines[a].amount);

    // A door of glass (no sheet size) and a door too tall for a mirror sheet keep the area price.
    for (auto& [id, insert] : bySheets.sketch.doors[0].inserts)
        insert.material = &m[3];
    ASSERT_TRUE(sheeted.apply(edit::SetHeight{34000}));
    const CalcResult& kept = bySheets.result;
    const auto unplanned = planSheets(kept, settings);
    for (const MaterialLine& line : kept.materialLines) {
        EXPECT_EQ(line.description.find("листов"), std::string::npos) << line.name;
        EXPECT_EQ(line.amount, static_cast<int32_t>(std::ceil(100000 * line.area))) << line.name;
    }
    for (const MaterialSheets& plan : unplanned)
        EXPECT_FALSE(plan.error.empty()) << plan.code;
}

} // namespace
} // namespace dalvex
