#include "cutting/cut_plan.h"

#include "calc/bar_count.h"
#include "calc/line_amounts.h"
#include "calc/line_text.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace dalvex {

namespace {

// The piece cut lines of one profile group: those labelled "group-i" with i from 1.
struct CutGroup {
    std::string code;
    std::vector<const CutLine*> lines;
};

std::vector<CutGroup> pieceGroups(const std::vector<CutLine>& cutLines) {
    std::vector<CutGroup> groups;
    std::string current;
    for (const CutLine& cut : cutLines) {
        const size_t dash = cut.label.find('-');
        if (dash == std::string::npos || cut.label.compare(dash + 1, std::string::npos, "0") == 0) continue;
        const std::string group = cut.label.substr(0, dash);
        if (groups.empty() || group != current || groups.back().code != cut.code) {
            groups.push_back({cut.code, {}});
            current = group;
        }
        groups.back().lines.push_back(&cut);
    }
    return groups;
}

// Labels for the billed pieces: a piece the bill named keeps that name; from the group's cut lines, first
// each other piece takes an unused cut line of its own length, then the rest take the unused lines in order.
std::vector<PlannedPiece> labelPieces(const std::vector<int32_t>& pieces, const std::vector<PieceTag>& tags,
                                      const CutGroup* group) {
    std::vector<PlannedPiece> labelled(pieces.size());
    std::vector<bool> labelDone(pieces.size(), false);
    std::vector<bool> lineUsed(group ? group->lines.size() : 0, false);
    for (size_t i = 0; i < pieces.size(); ++i) {
        labelled[i].length = pieces[i];
        if (i < tags.size() && !tags[i].label.empty()) {
            labelled[i].label = tags[i].label;
            labelled[i].doorIndex = tags[i].doorIndex;
            labelDone[i] = true;
        }
    }
    if (!group) return labelled;
    const auto take = [&](size_t i, size_t j) {
        labelled[i].label = group->lines[j]->label;
        labelled[i].doorIndex = group->lines[j]->doorIndex;
        labelDone[i] = true;
        lineUsed[j] = true;
    };
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (labelDone[i]) continue;
        const std::string length = tenthsText(pieces[i]);
        for (size_t j = 0; j < lineUsed.size(); ++j)
            if (!lineUsed[j] && group->lines[j]->length == length) {
                take(i, j);
                break;
            }
    }
    size_t next = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (labelDone[i]) continue;
        while (next < lineUsed.size() && lineUsed[next])
            ++next;
        if (next == lineUsed.size()) break;
        take(i, next);
    }
    return labelled;
}

} // namespace

std::vector<ArticlePlan> planArticles(const CalcResult& result, int32_t kerf, int32_t trim) {
    std::vector<ArticlePlan> plans;
    const std::vector<CutGroup> groups = pieceGroups(result.cutLines);
    size_t nextGroup = 0;
    for (size_t l = 0; l < result.articleLines.size(); ++l) {
        const ArticleLine& line = result.articleLines[l];
        const int32_t stock = line.wholeBars != 0 ? line.barLength : line.pieceBar;
        if (line.pieces.empty() || stock <= 0) continue;
        // Groups follow the article lines in order; the first unused group of the same code is this line's.
        const CutGroup* group = nullptr;
        for (size_t g = nextGroup; g < groups.size(); ++g)
            if (groups[g].code == line.code) {
                group = &groups[g];
                nextGroup = g + 1;
                break;
            }
        const std::vector<PlannedPiece> labelled = labelPieces(line.pieces, line.pieceTags, group);
        const CutPlan cut = planCuts(line.pieces, stock, kerf, trim);
        ArticlePlan plan;
        plan.lineIndex = static_cast<int32_t>(l);
        plan.code = line.code;
        plan.name = line.name;
        plan.barLength = stock;
        plan.byLength = line.wholeBars == 0;
        plan.billedBars = plan.byLength ? 0 : billedBarCount(line.pieces, stock);
        plan.error = cut.error.empty() ? std::string() : (line.error.empty() ? cut.error : line.error);
        for (const CutBar& bar : cut.bars) {
            PlannedBar planned;
            planned.offcut = bar.offcut;
            for (int32_t i : bar.pieces)
                planned.pieces.push_back(labelled[static_cast<size_t>(i)]);
            plan.bars.push_back(std::move(planned));
        }
        for (int32_t i : cut.tooLong)
            plan.tooLong.push_back(labelled[static_cast<size_t>(i)]);
        plans.push_back(std::move(plan));
    }
    return plans;
}

void priceByPlans(CalcResult& result, const std::vector<ArticlePlan>& plans) {
    for (const ArticlePlan& plan : plans) {
        if (plan.lineIndex < 0 || static_cast<size_t>(plan.lineIndex) >= result.articleLines.size()) continue;
        ArticleLine& line = result.articleLines[static_cast<size_t>(plan.lineIndex)];
        if (plan.byLength || !plan.error.empty() || !line.error.empty() || line.quantity <= 0) continue;
        const int64_t barPrice = line.amount / line.quantity;
        const int64_t bars = static_cast<int64_t>(plan.bars.size());
        line.quantity = static_cast<int32_t>(bars);
        line.amount = static_cast<int32_t>(std::clamp<int64_t>(
            bars * barPrice, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    }
    // More bars may cost more than the totals can hold.
    checkLineAmounts(result);
}

} // namespace dalvex
