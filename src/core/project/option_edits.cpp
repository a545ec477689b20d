#include "project/option_edits.h"

#include "calc/ds_system.h"
#include "project/order_queries.h"
#include "project/project.h"

#include <algorithm>

namespace dalvex::edits {

namespace {

bool offers(const Project& project, OwnOptions own) {
    return project.calculator && project.calculator->ownOptions() == own;
}

// A change of an option that lays the doors out anew.
Changes resizedBy(EditTarget& t) {
    t.project.sketch.resizePending = true;
    t.project.recalculate(t.pass, false);
    return chosen();
}

// Герлит's profile toggles: only while the system offers them.
template <class Toggle> Changes toggleRail(EditTarget& t, Toggle toggle) {
    Project& p = t.project;
    if (!offers(p, OwnOptions::RailProfiles)) return {};
    toggle(*p.calculator, p.options);
    return resizedBy(t);
}

} // namespace

Changes make(EditTarget& t, const edit::ToggleOption&) {
    Project& p = t.project;
    if (offers(p, OwnOptions::Mounting)) {
        // The handle list changes with the mounting: the sketch is made anew.
        p.toggleMountInside(t.pass);
        t.selection = {};
        return chosenAnew();
    }
    if (!p.calculator || !p.calculator->offersEdgeProfiles) return {};
    p.toggleEdgeProfiles(t.pass);
    return chosen();
}

Changes make(EditTarget& t, const edit::ChooseRollers& op) {
    Project& p = t.project;
    const std::vector<std::string> entries = rollerEntries(p);
    if (!p.calculator || std::find(entries.begin(), entries.end(), op.entry) == entries.end()) return {};
    if (op.entry == currentRollerEntry(p)) return {};
    SystemOptions& mine = p.calculator->own(p.options);
    if (offers(p, OwnOptions::Pivot)) {
        mine.pivot = op.entry == kPivotEntry ? 1 : 0;
        p.calculator->assignRows(p.sketch, p.options);
        p.sketch.resizePending = true;
    }
    if (op.entry == kStandardRollersEntry) {
        mine.rollerSet = nullptr;
    } else {
        // The pivot entry leaves the roller set as it is.
        for (const RollerSet* set : p.calculator->rollerSets())
            if (set->code == op.entry) {
                mine.rollerSet = set;
                break;
            }
    }
    p.recalculate(t.pass, false);
    return chosen();
}

Changes make(EditTarget& t, const edit::SetHeightOffset& op) {
    Project& p = t.project;
    if (!offers(p, OwnOptions::Pivot) || !isHeightOffset(op.millimetres)) return {};
    int32_t& offset = p.calculator->own(p.options).heightOffset;
    if (offset == op.millimetres) return {};
    offset = op.millimetres;
    return resizedBy(t);
}

Changes make(EditTarget& t, const edit::ChooseBarLength& op) {
    Project& p = t.project;
    const HandleProfile* handle = p.handleProfile;
    if (!handle || (op.choice != 1 && op.choice != 2)) return {};
    if (op.choice == 2 && handle->barLength2 <= 0) return {};
    if (p.options.barChoice(*handle) == op.choice) return {};
    p.options.setBarChoice(*handle, static_cast<uint8_t>(op.choice));
    p.recalculate(t.pass, false);
    return chosen();
}

Changes make(EditTarget& t, const edit::ToggleRunningProfile&) {
    return toggleRail(t, [](const DSSystem& s, OrderOptions& o) { s.toggleRunningProfile(o); });
}

Changes make(EditTarget& t, const edit::ToggleGuideProfile&) {
    return toggleRail(t, [](const DSSystem& s, OrderOptions& o) { s.toggleGuideProfile(o); });
}

} // namespace dalvex::edits
