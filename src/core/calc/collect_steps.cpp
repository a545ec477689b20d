// Collector steps shared by several systems: the frame profiles, the dividers, the rails, the brush and
// stopper, and the insert strips.
#include "calc/ds_system.h"
#include "calc/geometry_util.h"
#include "calc/line_text.h"
#include "text/format.h"

#include <utility>

namespace dalvex {

namespace {

// A divider piece found while walking the doors, and the door it belongs to.
struct DividerPiece {
    const Divider* divider;
    int32_t doorIndex;
};

// One cut line per divider piece of `line`, in walking order; then the next profile group.
void addDividerCuts(CalcResult& result, const ArticleLine& line, const std::vector<DividerPiece>& found) {
    for (size_t i = 0; i < found.size(); ++i) {
        const Divider& d = *found[i].divider;
        result.cutLines.push_back(
            pieceCut(result, static_cast<int32_t>(i + 1), line, d.cutLength, d.number, found[i].doorIndex));
    }
    ++result.profileGroup;
}

// One row: a single door, or every door in the same row (no overlaps, so single guides and runners).
bool runsInOneRow(const DoorSketch& sketch, int32_t doors) {
    for (int k = 1; k < doors; ++k)
        if (sketch.doors[k].row != sketch.doors[0].row) return false;
    return true;
}

} // namespace

void DSSystem::collectHandlePieces(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                                   const ProfileColor* color, bool plain) const {
    const Article* handle = sketch.doors[0].frame[kFrameLeft].profile;
    if (handle == nullptr) return;
    const int32_t doors = doorsOf(sketch);
    std::vector<int32_t> pieces;
    pieces.reserve(2 * doors);
    for (int k = 0; k < doors; ++k) {
        const Door& door = sketch.doors[k];
        // The plain rule cuts every handle piece to the first door's height.
        pieces.push_back(plain ? sketch.doors[0].frame[kFrameLeft].cutLength
                               : door.frame[kFrameLeft].cutLength);
        pieces.push_back(plain ? sketch.doors[0].frame[kFrameLeft].cutLength
                               : door.frame[kFrameRight].cutLength);
    }
    result.articleLines.push_back(barLine(handle, pieces, color, options));
    ArticleLine line = result.articleLines.back();
    if (!plain) line.name += format(" %3.1f м.", line.barLength / 10000.0);
    for (int k = 0; k < doors; ++k) {
        const Door& door = sketch.doors[k];
        const FrameProfile& left = door.frame[kFrameLeft];
        const FrameProfile& right = door.frame[kFrameRight];
        result.cutLines.push_back(pieceCut(result, 2 * k + 1, line, left.cutLength, left.number, door.index));
        result.cutLines.push_back(pieceCut(result, 2 * k + 2, line, plain ? right.cutLength : left.cutLength,
                                           right.number, door.index));
    }
    ++result.profileGroup;
}

void DSSystem::collectHorizontals(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                                  const ProfileColor* color) const {
    const int32_t doors = doorsOf(sketch);
    for (int side : {kFrameBottom, kFrameTop}) {
        const Article* profile = sketch.doors[0].frame[side].profile;
        if (profile == nullptr) continue;
        std::vector<int32_t> pieces;
        pieces.reserve(doors);
        for (int k = 0; k < doors; ++k)
            pieces.push_back(sketch.doors[k].frame[side].cutLength);
        result.articleLines.push_back(barLine(profile, pieces, color, options));
        const ArticleLine& line = result.articleLines.back();
        for (int k = 0; k < doors; ++k) {
            const FrameProfile& frame = sketch.doors[k].frame[side];
            result.cutLines.push_back(
                pieceCut(result, k + 1, line, frame.cutLength, frame.number, sketch.doors[k].index));
        }
        ++result.profileGroup;
    }
}

void DSSystem::collectDividers(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                               const ProfileColor* color) const {
    std::vector<DividerPiece> found;
    std::vector<int32_t> pieces;
    const DividerProfile* profile = nullptr;
    for (int k = 0; k < doorsOf(sketch); ++k) {
        for (const auto& [id, d] : sketch.doors[k].dividers) {
            if (d.profile == nullptr) continue;
            found.push_back({&d, sketch.doors[k].index});
            pieces.push_back(d.cutLength);
            profile = d.profile;
        }
    }
    if (pieces.empty()) return;
    // Dividers of different profiles are billed under the last profile found.
    result.articleLines.push_back(barLine(profile, pieces, color, options));
    addDividerCuts(result, result.articleLines.back(), found);
}

void DSSystem::collectDividersByProfile(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                                        const ProfileColor* color, bool withEdges) const {
    const int32_t doors = doorsOf(sketch);
    for (const char* wanted : {"DX08", "DX13"}) {
        const bool edges = withEdges && std::string_view(wanted) == "DX13";
        std::vector<int32_t> pieces;
        // The top and bottom edge profiles are cut from DX13 as well. The cut list has no lines for them; the
        // cutting plan names them by their door.
        std::vector<PieceTag> tags;
        if (edges) {
            for (int k = 0; k < doors; ++k) {
                const Door& door = sketch.doors[k];
                for (const auto& [side, word] :
                     {std::pair{kFrameBottom, "низ"}, std::pair{kFrameTop, "верх"}}) {
                    if (door.frame[side].profile == nullptr) continue;
                    pieces.push_back(door.frame[side].cutLength);
                    tags.push_back({format("%s двери %d", word, door.index + 1), door.index});
                }
            }
        }
        std::vector<DividerPiece> found;
        for (int k = 0; k < doors; ++k) {
            for (const auto& [id, d] : sketch.doors[k].dividers) {
                if (d.profile == nullptr || d.profile->code != wanted) continue;
                found.push_back({&d, sketch.doors[k].index});
                pieces.push_back(d.cutLength);
            }
        }
        if (pieces.empty()) continue;
        const DividerProfile* profile = findDividerProfile(wanted);
        if (profile == nullptr && lookup != nullptr) profile = lookup->findDividerProfile(wanted);
        if (profile == nullptr) continue;
        result.articleLines.push_back(barLine(profile, pieces, color, options));
        result.articleLines.back().pieceTags = std::move(tags);
        addDividerCuts(result, result.articleLines.back(), found);
    }
}

void DSSystem::collectStandardRails(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) const {
    const bool oneRow = runsInOneRow(sketch, doorsOf(sketch));
    emitLength(result, ruleArticle(oneRow ? "JB03" : "JB02"), sketch.width, color);
    emitLength(result, ruleArticle(oneRow ? "JB06" : "JB05"), sketch.width, color);
}

void DSSystem::collectBrushAndStopper(DoorSketch& sketch, CalcResult& result, const ProfileColor* brushColor,
                                      bool stopper) const {
    const int32_t doors = doorsOf(sketch);
    // The brush runs along both vertical edges of every door.
    const int32_t brush = clampToInt(int64_t{sketch.doors[0].frame[kFrameLeft].cutLength} * doors * 2);
    emitLength(result, ruleArticle("JB13"), brush, brushColor);
    if (stopper) emitPieces(result, ruleArticle("JB14"), doors);
}

void DSSystem::collectGlassStrips(DoorSketch& sketch, CalcResult& result, bool tenMillimetreStrip) const {
    int64_t tenStrip = 0;
    int64_t glassStrip = 0;
    forEachInsert(sketch, [&](const Door&, const Insert& insert) {
        if (insert.material == nullptr) return;
        if (insert.material->thickness == 100) {
            tenStrip += 2 * (int64_t{insert.panelHeight} + insert.panelWidth);
        } else if (insert.material->thickness == 40) {
            // Glass needs its insert strip only where it meets a frame side, not a divider.
            if (insert.leftId == 0) glassStrip += insert.panelHeight;
            if (insert.rightId == 0) glassStrip += insert.panelHeight;
        }
    });
    if (tenMillimetreStrip && tenStrip > 0)
        emitLength(result, ruleArticle("JL15"), clampToInt(tenStrip), nullptr);
    if (glassStrip > 0) emitLength(result, ruleArticle("DX11"), clampToInt(glassStrip), nullptr);
}

void DSSystem::collectPerimeterStrip(DoorSketch& sketch, CalcResult& result, std::string_view wanted) const {
    int64_t strip = 0;
    forEachInsert(sketch, [&](const Door&, const Insert& insert) {
        if (insert.material != nullptr && insert.material->thickness == 40)
            strip += 2 * (int64_t{insert.panelHeight} + insert.panelWidth);
    });
    if (strip > 0) emitLength(result, ruleArticle(wanted), clampToInt(strip), nullptr);
}

void DSSystem::collectFrontBackVerticals(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                                         const ProfileColor* color) const {
    const Article* handle = sketch.doors[0].frame[kFrameLeft].profile;
    if (handle == nullptr) return;
    const int32_t n = doorsOf(sketch);
    const int32_t height = sketch.doors[0].frame[kFrameLeft].cutLength;
    const Article* back = nullptr;
    if (systemKind == kSystemDalvex) back = ruleArticle(handle->code == "DX02" ? "DX04" : "DX03");
    if (systemKind == kSystemWenlor) back = ruleArticle("JW04");
    if (systemKind == kSystemNordel) back = ruleArticle("JN02");

    result.articleLines.push_back(barLine(handle, std::vector<int32_t>(n + 1, height), color, options));
    const ArticleLine handleLine = result.articleLines.back();
    ArticleLine backLine = barLine(back, std::vector<int32_t>(std::max(0, n - 1), height), color, options);
    if (back != nullptr && backLine.quantity > 0) result.articleLines.push_back(backLine);
    ArticleLine mainLine;
    const Article* mainProfile = systemKind == kSystemWenlor ? ruleArticle("JW02") : nullptr;
    if (mainProfile != nullptr) {
        mainLine = barLine(mainProfile, std::vector<int32_t>(2 * n, height), color, options);
        result.articleLines.push_back(mainLine);
    }

    // Odd doors carry the handle on both edges; even doors only on an edge of the opening, the back-door
    // profile on the others.
    const auto addSide = [&](const ArticleLine& line, int32_t& i, int k, int side) {
        const FrameProfile& frame = sketch.doors[k].frame[side];
        result.cutLines.push_back(pieceCut(result, ++i, line, frame.cutLength, frame.number, k));
    };
    int32_t i = 0;
    for (int k = 0; k < n; ++k) {
        const bool odd = k % 2 == 1;
        if (odd || k == 0) addSide(handleLine, i, k, kFrameLeft);
        if (odd || k == n - 1) addSide(handleLine, i, k, kFrameRight);
    }
    ++result.profileGroup;
    i = 0;
    for (int k = 0; k < n; k += 2) {
        if (k != 0) addSide(backLine, i, k, kFrameLeft);
        if (k != n - 1) addSide(backLine, i, k, kFrameRight);
    }
    ++result.profileGroup;
    if (mainProfile != nullptr) {
        // The main-profile pieces continue the numbering of the sketch's profile pieces.
        for (int k = 0; k < n; ++k) {
            const int32_t cut = sketch.doors[k].frame[kFrameLeft].cutLength;
            result.cutLines.push_back(pieceCut(result, 2 * k + 1, mainLine, cut, sketch.profileCount++, k));
            result.cutLines.push_back(pieceCut(result, 2 * k + 2, mainLine, cut, sketch.profileCount++, k));
        }
        ++result.profileGroup;
    }
}

} // namespace dalvex
