#pragma once
// Panels on stock sheets, cut as a panel saw or a glass table cuts: every cut runs edge to edge of the part
// it divides (guillotine cuts), the saw takes its kerf between neighbours, and a trim comes off every edge of
// the sheet first. As few sheets as possible; the last sheet keeps its waste in one offcut.
#include <cstdint>
#include <vector>

namespace dalvex {

// A stock sheet and the saw, in 0.1 mm. On the sheet x runs along its length and y along its width, from the
// corner of the untrimmed sheet.
struct SheetStock {
    int32_t length = 0;
    int32_t width = 0;
    int32_t kerf = 0;
    int32_t trim = 0;   // cut off along every edge
    bool grain = false; // the decor has a direction: panels keep their height along the sheet's length
};

// A panel to cut, in 0.1 mm. Unrotated, its height runs along the sheet's length.
struct SheetPiece {
    int32_t height = 0;
    int32_t width = 0;
};

struct PiecePlacement {
    int32_t piece = 0; // index in the list that was packed
    int32_t x = 0;     // the panel's corner nearest the sheet's corner
    int32_t y = 0;
    bool rotated = false; // the panel's height runs along the sheet's width
};

// One straight cut through a part of the sheet, from edge to edge of that part: from (x, y) along the
// sheet's length (x) or its width (y) for `length`. The saw takes the kerf beyond the line: [y, y + kerf)
// for a cut along the length, [x, x + kerf) for one along the width.
struct SheetCut {
    int32_t stage = 1; // 1 divides the trimmed sheet; stage n + 1 divides the parts stage n made
    int32_t x = 0;
    int32_t y = 0;
    int32_t length = 0;
    bool alongLength = true;
};

// A rectangle on the sheet: `length` along x, `width` along y. Length 0: none.
struct SheetRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t length = 0;
    int32_t width = 0;
};

struct PackedSheet {
    std::vector<PiecePlacement> placements;
    std::vector<SheetCut> cuts; // stage by stage: every cut of stage 1, then of stage 2, ...
    SheetRect offcut;           // the largest piece of waste the cuts leave
};

struct SheetPacking {
    std::vector<PackedSheet> sheets; // fullest first
    std::vector<int32_t> oversized;  // pieces no sheet can give, in list order
    std::vector<int32_t> sizeless;   // pieces with a side of zero or less: nothing to cut, in list order
    // ceil(sum (h + kerf)(w + kerf) / ((length - 2 trim + kerf)(width - 2 trim + kerf))) over the placed
    // pieces: no plan needs fewer sheets.
    int32_t areaBound = 0;
    bool proved = false; // no plan needs fewer sheets than this one (a lower bound met, or searched through)
};

// Packs `pieces` onto sheets of `stock`. Exact for small lists (within a fixed amount of work), else the best
// of several best-fit-decreasing guillotine packings, filled sheet by sheet where that needs fewer; never
// more sheets than first-fit shelf packing. The last sheet is laid out to leave the largest single offcut.
// Pieces without area are left out and named in `sizeless`; negative kerf and trim count as 0. Deterministic.
SheetPacking packSheets(const std::vector<SheetPiece>& pieces, const SheetStock& stock);

} // namespace dalvex
