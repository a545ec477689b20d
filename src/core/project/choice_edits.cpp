#include "project/choice_edits.h"

#include "calc/ds_system.h"
#include "catalogue/catalogue.h"
#include "project/project.h"

#include <algorithm>

namespace dalvex::edits {

namespace {

template <class List, class T> bool contains(const List& list, const T* item) {
    return item != nullptr && std::find(list.begin(), list.end(), item) != list.end();
}

bool usesPlinth(const Project& project) {
    return project.calculator && project.calculator->usesPlinth;
}

} // namespace

Changes make(EditTarget& t, const edit::SelectSystem& op) {
    Project& p = t.project;
    if (op.system == p.calculator || !contains(p.catalogue().systems(), op.system)) return {};
    p.selectSystem(t.pass, op.system);
    // A new sketch: nothing of the old one is pointed at.
    t.selection = {};
    return chosenAnew();
}

Changes make(EditTarget& t, const edit::SetHandleProfile& op) {
    Project& p = t.project;
    if (!p.calculator || op.handle == p.handleProfile) return {};
    if (!contains(p.calculator->handleProfiles(p.options), op.handle)) return {};
    p.setHandleProfile(t.pass, op.handle);
    return chosen();
}

Changes make(EditTarget& t, const edit::SetProfileColor& op) {
    Project& p = t.project;
    if (!op.color || op.color == p.profileColor) return {};
    if (!p.handleProfile || !p.handleProfile->offers(op.color)) return {};
    p.setProfileColor(t.pass, op.color);
    return chosen();
}

Changes make(EditTarget& t, const edit::SetDividerProfile& op) {
    Project& p = t.project;
    if (!p.calculator || op.divider == p.dividerProfile) return {};
    if (!p.calculator->hasDividerProfile(op.divider)) return {};
    p.setDividerProfile(t.pass, op.divider);
    return chosen(false);
}

Changes make(EditTarget& t, const edit::SetWidth& op) {
    return t.project.setWidth(t.pass, op.tenths) ? resized() : Changes{};
}

Changes make(EditTarget& t, const edit::SetHeight& op) {
    return t.project.setHeight(t.pass, op.tenths) ? resized() : Changes{};
}

Changes make(EditTarget& t, const edit::SetDoorCount& op) {
    Project& p = t.project;
    if (!p.calculator) return {};
    const std::vector<int> offered = p.calculator->offeredDoorCounts(p.options);
    if (std::find(offered.begin(), offered.end(), op.count) == offered.end()) return {};
    if (!p.setDoorCount(t.pass, op.count)) return {};
    t.selection.clearInsert();
    return resized(true);
}

Changes offerDoorCount(EditTarget& t) {
    const Project& p = t.project;
    if (!p.calculator) return {};
    const int n = std::clamp(p.calculator->clampDoorCount(p.doorCount, p.options), 1, kMaxDoors);
    return n == p.doorCount ? Changes{} : make(t, edit::SetDoorCount{n});
}

Changes make(EditTarget& t, const edit::SetChipboardWidth& op) {
    if (!usesPlinth(t.project)) return {};
    return t.project.setChipboardWidth(t.pass, op.tenths) ? resized() : Changes{};
}

Changes make(EditTarget& t, const edit::SetPlinthHeight& op) {
    if (!usesPlinth(t.project)) return {};
    return t.project.setPlinthHeight(t.pass, op.tenths) ? resized() : Changes{};
}

Changes make(EditTarget& t, const edit::SetDiscount& op) {
    Project& p = t.project;
    if (op.percent == p.discountPercent || !p.setDiscountPercent(t.pass, op.percent)) return {};
    Changes c = made(false);
    c.totals = c.discount = true;
    return c;
}

} // namespace dalvex::edits
