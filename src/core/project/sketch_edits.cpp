#include "project/sketch_edits.h"

#include "catalogue/catalogue.h"
#include "project/door_widths.h"
#include "project/order_queries.h"
#include "project/project.h"
#include "sketch/sketch_units.h"

namespace dalvex::edits {

namespace {

// Sizes asked for next to a divider are bounded well beyond any door so that the position arithmetic of the
// door cannot overflow.
constexpr int32_t kMaxInsertSizeRequest = 10000000;

void selectDivider(SketchSelection& selection, int door, int32_t divider) {
    selection.dividerDoor = door;
    selection.dividerId = divider;
}

} // namespace

Changes make(EditTarget& t, const edit::Split& op) {
    // A click that draws: what was selected goes, and the new divider is selected.
    t.selection.clearInsert();
    t.selection.clearDivider();
    Door* d = t.project.sketch.doorInUse(op.door);
    const DividerProfile* profile = t.project.dividerProfile;
    if (!d || !profile) return {};
    // A profile made for one orientation only takes no other.
    const std::optional<bool> fixed = profile->fixedOrientation();
    if (fixed && *fixed != op.vertical) return {};
    if (!d->splitInsert(op.insert, op.position, profile, op.vertical)) return {};
    selectDivider(t.selection, op.door, d->nextDividerId - 1); // the split advances the counter past it
    t.project.recalculate(t.pass, true);
    return made(true);
}

Changes make(EditTarget& t, const edit::RemoveDivider& op) {
    Door* d = t.project.sketch.doorInUse(op.door);
    if (!d || !d->removeDivider(op.divider)) return {};
    t.project.recalculate(t.pass, true);
    return made(true);
}

Changes make(EditTarget& t, const edit::MoveDivider& op) {
    Door* d = t.project.sketch.doorInUse(op.door);
    const Divider* divider = d ? d->divider(op.divider) : nullptr;
    if (!divider) return {};
    // The dragged divider is selected even when it cannot go there, so that its neighbour can be sized.
    selectDivider(t.selection, op.door, op.divider);
    if (divider->position == op.position || !d->moveDivider(op.divider, op.position)) return {};
    t.project.recalculate(t.pass, true);
    return made(true);
}

Changes make(EditTarget& t, const edit::MoveJoint& op) {
    t.selection.clearDivider();
    if (op.growth == 0 || !t.project.sketch.moveJoint(op.door, op.growth)) return {};
    t.project.recalculate(t.pass, true);
    return made(true);
}

Changes make(EditTarget& t, const edit::InsertSize& op) {
    Door* d = t.project.sketch.doorInUse(op.door);
    const Divider* divider = d ? d->divider(op.divider) : nullptr;
    if (!divider) return {};
    // The dialog offers sizes that leave the other panel its minimum.
    if (!insertSizeRange(t.project, op.door, op.divider).holds(op.size)) return {};
    // Moves the divider so that the panel on the asked side gets `wanted`, and recalculates when it moved.
    auto attempt = [&](int32_t wanted) {
        if (wanted < -kMaxInsertSizeRequest || wanted > kMaxInsertSizeRequest) return false;
        const int32_t position = d->panelPositionFor(*d->divider(op.divider), wanted, op.after);
        if (!d->moveDivider(op.divider, position)) return false;
        t.project.recalculate(t.pass, true);
        return true;
    };
    bool moved = attempt(op.size);
    // The calculator may make the panel a little off the request; ask once more, corrected by that.
    const int32_t got = d->panelSizeBeside(*d->divider(op.divider), op.after);
    if (got != op.size) moved |= attempt(clampToInt(2 * int64_t{op.size} - got));
    if (!moved) return {};
    selectDivider(t.selection, op.door, op.divider);
    return made(true);
}

Changes make(EditTarget& t, const edit::PasteDoor& op) {
    // The door pasted is the one copied from now on; a paste that names no pair of doors forgets it.
    const PasteResult pasted = t.project.sketch.pasteDoor(op.from, op.to);
    t.selection.copiedDoor = pasted == kPasteRefused ? -1 : op.from;
    if (pasted != kPasted) return {};
    // The target's old ids may name other inserts and dividers in the copy.
    if (t.selection.insertDoor == op.to) t.selection.clearInsert();
    if (t.selection.dividerDoor == op.to) t.selection.clearDivider();
    t.project.recalculate(t.pass, false);
    return made(true);
}

Changes make(EditTarget& t, const edit::AlignDividers& op) {
    Door* d = t.project.sketch.doorInUse(op.door);
    if (!d || !d->hasDividers(op.vertical)) return {};
    d->alignDividers(op.vertical);
    t.project.sketch.resizePending = true;
    t.project.recalculate(t.pass, false);
    return made(true);
}

Changes make(EditTarget& t, const edit::Fill& op) {
    // A fill names a material of the library; clearing an insert is ClearMaterial's alone.
    if (!t.project.catalogue().holds(op.material)) return {};
    DoorSketch& sketch = t.project.sketch;
    const bool filled = op.firstDoor < 0 ? sketch.fillInsert(op.door, op.insert, op.material)
                                         : sketch.fillInsertAcrossDoors(op.door, op.insert, op.material,
                                                                        op.firstDoor, op.lastDoor);
    if (!filled) return {};
    t.project.recalculate(t.pass, true);
    return made(true);
}

Changes make(EditTarget& t, const edit::ClearMaterial& op) {
    Insert* ins = t.project.sketch.insertOf(op.door, op.insert);
    if (!ins || !ins->material) return {};
    ins->material = nullptr;
    t.project.recalculate(t.pass, true);
    return made(true);
}

Changes make(EditTarget& t, const edit::DoorWidths& op) {
    DoorWidthsEditor widths(t.project);
    widths.begin();
    const DoorWidthsEditor::Result result = widths.apply(t.pass, t.project, op.widths, op.rows, true);
    if (result.outcome != DoorWidthsEditor::Outcome::Applied) return {};
    // New rows lay every door out anew.
    if (result.rowsChanged) t.selection.clearInsert();
    return made(true);
}

Changes make(EditTarget& t, const edit::ClearSketch&) {
    t.project.rebuildSketch(t.pass);
    t.selection = {};
    Changes c = made(true);
    c.doorsReset = true;
    return c;
}

} // namespace dalvex::edits
