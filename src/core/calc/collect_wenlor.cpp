// Wenlor's bill of materials: two rows of doors on a main profile with handle and back-door edges, a frame
// profile and a seal wherever 4 mm glass is held, and roller sets per wardrobe section.
#include "calc/collect_rules.h"
#include "calc/geometry_util.h"
#include "calc/line_text.h"
#include "calc/systems.h"

namespace dalvex {

namespace {

bool isGlass(const Insert& insert) {
    return insert.material != nullptr && insert.material->thickness == 40;
}

} // namespace

void DSSystemWenlor::collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color) const {
    result.clear();
    collectFrontBackVerticals(sketch, options, result, color);

    // Glass is framed top and bottom where it meets the door edge: a full door-width piece for each such
    // side.
    struct FramePiece {
        int32_t door;
        const FrameProfile* side;
    };
    std::vector<FramePiece> frame;
    forEachInsert(sketch, [&](const Door& door, const Insert& insert) {
        if (!isGlass(insert)) return;
        if (door.divider(insert.topId) == nullptr) frame.push_back({door.index, &door.frame[kFrameTop]});
        if (door.divider(insert.bottomId) == nullptr)
            frame.push_back({door.index, &door.frame[kFrameBottom]});
    });
    std::vector<int32_t> pieces;
    for (const FramePiece& p : frame)
        pieces.push_back(p.side->cutLength);
    if (const Article* jw07 = ruleArticle("JW07"); jw07 != nullptr && !pieces.empty()) {
        ArticleLine line = barLine(jw07, pieces, color, options);
        if (line.quantity > 0) {
            result.articleLines.push_back(std::move(line));
            const ArticleLine& added = result.articleLines.back();
            int i = 0;
            for (const FramePiece& p : frame)
                result.cutLines.push_back(
                    pieceCut(result, ++i, added, p.side->cutLength, p.side->number, p.door));
            ++result.profileGroup;
        }
    }

    collectDividers(sketch, options, result, color);
    for (std::string_view rail : {"JW01", "JW06"})
        emitLength(result, ruleArticle(rail), sketch.width, color);
    const SectionRollers rollers = sectionRollers(doorsOf(sketch), "JBW2", "JBW3");
    emitRollerSet(sketch, options, result, ruleRollerSet(rollers.code), rollers.quantity);

    // The seal runs up both sides of the glass and along every edge that meets the door frame.
    int64_t seal = 0;
    forEachInsert(sketch, [&](const Door& door, const Insert& insert) {
        if (!isGlass(insert)) return;
        seal += 2 * int64_t{insert.panelHeight};
        if (door.divider(insert.topId) == nullptr) seal += insert.panelWidth;
        if (door.divider(insert.bottomId) == nullptr) seal += insert.panelWidth;
    });
    if (seal > 0) emitLength(result, ruleArticle("JW10"), clampToInt(seal), nullptr);
    collectFillings(sketch, result);
}

} // namespace dalvex
