#pragma once
// The cutting plans of the bill's articles: every article line whose pieces are cut from bars, planned on its
// stock bars, its pieces named as the cut table names them; and the bill priced by the plans when asked.
#include "calc/calc_result.h"
#include "cutting/bar_packing.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dalvex {

// One piece of an article's plan, as the cut table names it.
struct PlannedPiece {
    std::string label; // "group-i" of the piece's cut line; empty when the bill has no cut line for it
    int32_t length = 0;
    int32_t doorIndex = -1;
};

struct PlannedBar {
    std::vector<PlannedPiece> pieces;
    int32_t offcut = 0;
};

// The plan of one article whose pieces are cut from bars.
struct ArticlePlan {
    int32_t lineIndex = 0; // the article line in the result
    std::string code;
    std::string name;
    int32_t barLength = 0;
    int32_t billedBars = 0; // the bill's own count (next-fit, no kerf); 0 for an article bought by length
    bool byLength = false;  // the bill buys it by length (dividers, edge profiles), not in bars
    std::vector<PlannedBar> bars;
    std::vector<PlannedPiece> tooLong;
    std::string error;
};

// Plans every article line whose pieces are cut from bars, bought in whole bars or by length, from the
// pieces the bill counts; the pieces take the labels and doors of the article's cut lines in order, and a
// piece without a cut line (an edge profile) the name the bill gave it.
std::vector<ArticlePlan> planArticles(const CalcResult& result, int32_t kerf, int32_t trim);

// The whole-bar article lines take the plans' bar counts, their amounts at the same price per bar. Lines
// with an error, and lines bought by length, keep the bill's figures; amounts the totals cannot hold become
// errors (checkLineAmounts). The total is marked for recomputing.
void priceByPlans(CalcResult& result, const std::vector<ArticlePlan>& plans);

} // namespace dalvex
