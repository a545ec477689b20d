// Zerkan's bill of materials: doors framed on all four sides by one profile, aluminium dividers with a
// plastic insert, the Zerkan track and a silicone seal round 4 mm glass.
#include "calc/collect_rules.h"
#include "calc/geometry_util.h"
#include "calc/line_text.h"
#include "calc/systems.h"

namespace dalvex {

namespace {

// The plastic insert of a divider stops short of what its ends meet: a little at a divider, more at the
// frame.
constexpr int32_t kInsertGapAtDivider = 40;
constexpr int32_t kInsertGapAtFrame = 570;

struct DividerPiece {
    int32_t door = 0;
    const Divider* divider = nullptr;
    int32_t insertLength = 0;
};

} // namespace

void DSSystemZerkan::collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color) const {
    result.clear();
    const int32_t n = doorsOf(sketch);

    // The frame: every side of every door is cut from the handle profile.
    const Article* handle = sketch.doors[0].frame[kFrameLeft].profile;
    if (handle != nullptr) {
        std::vector<int32_t> pieces(static_cast<size_t>(2 * n), sketch.doors[0].frame[kFrameLeft].cutLength);
        for (int k = 0; k < n; ++k) {
            pieces.push_back(sketch.doors[k].frame[kFrameTop].cutLength);
            pieces.push_back(sketch.doors[k].frame[kFrameBottom].cutLength);
        }
        result.articleLines.push_back(barLine(handle, pieces, color, options));
        const ArticleLine& line = result.articleLines.back();
        for (int k = 0; k < n; ++k) {
            const Door& door = sketch.doors[k];
            int i = 4 * k;
            for (int side : {kFrameLeft, kFrameRight, kFrameTop, kFrameBottom}) {
                const FrameProfile& f = door.frame[side];
                result.cutLines.push_back(pieceCut(result, ++i, line, f.cutLength, f.number, k));
            }
        }
        ++result.profileGroup;
    }

    // Dividers: the aluminium profile and its plastic insert, piece for piece.
    std::vector<DividerPiece> dividers;
    std::vector<int32_t> profilePieces;
    std::vector<int32_t> insertPieces;
    const DividerProfile* lastProfile = nullptr;
    bool tooShort = false;
    for (int k = 0; k < n; ++k) {
        const Door& door = sketch.doors[k];
        for (const auto& [id, d] : door.dividers) {
            if (d.profile == nullptr) continue;
            lastProfile = d.profile;
            const int64_t gaps =
                (door.divider(d.endId) != nullptr ? kInsertGapAtDivider : kInsertGapAtFrame) +
                (door.divider(d.startId) != nullptr ? kInsertGapAtDivider : kInsertGapAtFrame);
            int64_t insert = int64_t{d.cutLength} - gaps;
            if (insert < 0) {
                insert = 0;
                tooShort = true;
            }
            dividers.push_back({k, &d, clampToInt(insert)});
            profilePieces.push_back(d.cutLength);
            insertPieces.push_back(clampToInt(insert));
        }
    }
    if (!profilePieces.empty()) {
        // Dividers of several profiles are billed under the one found last.
        result.articleLines.push_back(barLine(lastProfile, profilePieces, color, options));
        const ArticleLine& line = result.articleLines.back();
        int i = 0;
        for (const DividerPiece& p : dividers)
            result.cutLines.push_back(
                pieceCut(result, ++i, line, p.divider->cutLength, p.divider->number, p.door));
        ++result.profileGroup;
    }
    if (const Article* plastic = ruleArticle("JZ04"); plastic != nullptr && !insertPieces.empty()) {
        ArticleLine line = barLine(plastic, insertPieces, color, options);
        if (tooShort) line.error = "ОШИБКА: Некторые отрезки разделителей слишком короткие.";
        result.articleLines.push_back(std::move(line));
        const ArticleLine& added = result.articleLines.back();
        int i = 0;
        for (const DividerPiece& p : dividers)
            result.cutLines.push_back(
                pieceCut(result, ++i, added, p.insertLength, p.divider->number, p.door));
        ++result.profileGroup;
    }

    for (std::string_view rail : kZerkanTrack)
        emitLength(result, ruleArticle(rail), clampToInt(int64_t{sketch.width} - kZerkanTrackDeduction),
                   color);

    // The filler strips run up both sides of the opening.
    emitLength(result, ruleArticle("JZ07"), clampToInt(2 * int64_t{sketch.height}), color);
    emitRollerSet(sketch, options, result, ruleRollerSet("JZB01"), setsForPairs(n));
    if (const Article* fittings = ruleArticle("JZB03"))
        result.articleLines.push_back(pieceLine(fittings, setsForPairs(n)));
    collectPerimeterStrip(sketch, result, "JZ06");
    collectFillings(sketch, result);
}

} // namespace dalvex
