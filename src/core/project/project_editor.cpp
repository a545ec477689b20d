#include "project/project_editor.h"

#include "catalogue/catalogue.h"
#include "orders/order_numbers.h"
#include "project/door_widths.h"
#include "project/project.h"
#include "sketch/sketch_units.h"
#include "text/numbers.h"

#include <algorithm>
#include <utility>

namespace dalvex {

namespace {

constexpr std::string_view kStandardRollers = "стандартные";
constexpr std::string_view kPivotEntry = "пивотный мех.";
// Sizes asked for next to a divider are bounded well beyond any door so that the position arithmetic of the
// door cannot overflow.
constexpr int32_t kMaxInsertSizeRequest = 10000000;

Changes applied(bool recalculated, bool selection = false) {
    Changes c;
    c.applied = true;
    c.recalculated = recalculated;
    c.selection = selection;
    return c;
}

template <class List, class T> bool contains(const List& list, const T* item) {
    return item != nullptr && std::find(list.begin(), list.end(), item) != list.end();
}

// The door of the sketch with this index, when it is one of the doors in use.
Door* doorInUse(Project& project, int door) {
    if (door < 0 || door >= sketch::doorsInUse(project.sketch.doorCount)) return nullptr;
    return &project.sketch.doors[door];
}

// The orientation rule of a divider profile (its flag): 1 horizontal only, 2 vertical only.
std::optional<bool> fixedOrientation(const DividerProfile* profile) {
    if (profile && profile->flag == 1) return false;
    if (profile && profile->flag == 2) return true;
    return std::nullopt;
}

// Keeps the chosen orientation within what the divider profile allows, whatever brought the profile (a
// choice, a system, a file, an undo).
void followOrientationRule(Project& project) {
    if (const std::optional<bool> fixed = fixedOrientation(project.dividerProfile))
        project.newDividerVertical = *fixed;
}

Changes shownOnly() {
    Changes c;
    c.applied = c.shown = true;
    return c;
}

Changes preferenceSet() {
    Changes c;
    c.applied = true;
    return c;
}

} // namespace

ProjectEditor::ProjectEditor(Project& project) : project_(project) {}

// --- The frame of every operation: the state before is kept, and becomes an undo step when the operation
// changed the order.

template <class Op> Changes ProjectEditor::step(Op&& op) {
    if (typing()) endTyping();
    ProjectState before = captureState(project_);
    const Changes changes = op();
    if (changes.applied) {
        followOrientationRule(project_);
        push(std::move(before));
    }
    return changes;
}

template <class Op> Changes ProjectEditor::typedStep(Op&& op) {
    if (!typing()) return step(std::forward<Op>(op));
    // Each keystroke starts from the state the typing began with.
    restoreState(project_, *typingBase_);
    Changes changes = op();
    typingChanged_ = changes.applied;
    // A refused value leaves the order as it was when the typing began: that too is what the panels show.
    changes.applied = true;
    changes.recalculated = true;
    return changes;
}

void ProjectEditor::push(ProjectState before) {
    undo_.push_back({std::move(before), current_});
    if (undo_.size() > kHistoryDepth) undo_.pop_front();
    redo_.clear();
    current_ = ++lastId_;
}

void ProjectEditor::beginTyping() {
    if (typing()) return;
    typingBase_ = captureState(project_);
    typingChanged_ = false;
}

void ProjectEditor::endTyping() {
    if (!typing()) return;
    ProjectState base = std::move(*typingBase_);
    typingBase_.reset();
    if (typingChanged_) push(std::move(base));
    typingChanged_ = false;
}

Changes ProjectEditor::travel(std::deque<Step>& from, std::deque<Step>& to) {
    if (typing()) endTyping();
    if (from.empty()) return {};
    to.push_back({captureState(project_), current_});
    Step back = std::move(from.back());
    from.pop_back();
    restoreState(project_, back.state);
    followOrientationRule(project_);
    current_ = back.id;
    project_.sketch.clearSelection();
    Changes c = applied(true, true);
    c.orderCard = true;
    return c;
}

Changes ProjectEditor::undo() {
    return travel(undo_, redo_);
}

Changes ProjectEditor::redo() {
    return travel(redo_, undo_);
}

void ProjectEditor::clearHistory() {
    typingBase_.reset();
    typingChanged_ = false;
    undo_.clear();
    redo_.clear();
    current_ = saved_ = ++lastId_;
}

// --- Choices.

Changes ProjectEditor::selectSystem(DSSystem* system) {
    return step([&]() -> Changes {
        if (!system || system == project_.calculator) return {};
        project_.selectSystem(system);
        return applied(true, true);
    });
}

Changes ProjectEditor::setHandleProfile(const HandleProfile* handle) {
    return step([&]() -> Changes {
        if (!project_.calculator || handle == project_.handleProfile) return {};
        if (!contains(project_.calculator->handleProfiles(), handle)) return {};
        project_.setHandleProfile(handle);
        return applied(true, true);
    });
}

Changes ProjectEditor::setProfileColor(const ProfileColor* color) {
    return step([&]() -> Changes {
        if (!color || color == project_.profileColor) return {};
        if (!project_.handleProfile || !project_.handleProfile->offers(color)) return {};
        project_.setProfileColor(color);
        return applied(true, true);
    });
}

Changes ProjectEditor::setDividerProfile(const DividerProfile* divider) {
    return step([&]() -> Changes {
        if (!project_.calculator || divider == project_.dividerProfile) return {};
        if (!project_.calculator->hasDividerProfile(divider)) return {};
        project_.setDividerProfile(divider);
        return applied(false, true);
    });
}

Changes ProjectEditor::setWidth(int32_t tenths) {
    return typedStep([&]() -> Changes { return project_.setWidth(tenths) ? applied(true) : Changes{}; });
}

Changes ProjectEditor::setHeight(int32_t tenths) {
    return typedStep([&]() -> Changes { return project_.setHeight(tenths) ? applied(true) : Changes{}; });
}

Changes ProjectEditor::setChipboardWidth(int32_t tenths) {
    return typedStep([&]() -> Changes {
        if (!project_.calculator || !project_.calculator->usesPlinth) return {};
        return project_.setChipboardWidth(tenths) ? applied(true) : Changes{};
    });
}

Changes ProjectEditor::setPlinthHeight(int32_t tenths) {
    return typedStep([&]() -> Changes {
        if (!project_.calculator || !project_.calculator->usesPlinth) return {};
        return project_.setPlinthHeight(tenths) ? applied(true) : Changes{};
    });
}

Changes ProjectEditor::setDoorCount(int32_t count) {
    return step([&]() -> Changes {
        if (!project_.calculator) return {};
        const std::vector<int> offered = project_.calculator->offeredDoorCounts();
        if (std::find(offered.begin(), offered.end(), count) == offered.end()) return {};
        if (!project_.setDoorCount(count)) return {};
        project_.sketch.clearSelection();
        return applied(true);
    });
}

Changes ProjectEditor::setDiscountPercent(double percent) {
    return typedStep([&]() -> Changes {
        if (percent == project_.discountPercent || !project_.setDiscountPercent(percent)) return {};
        Changes c;
        c.applied = c.totals = true;
        return c;
    });
}

Changes ProjectEditor::toggleOption() {
    return step([&]() -> Changes {
        DSSystem* calc = project_.calculator;
        if (!calc) return {};
        if (calc->options().mountInside) {
            project_.toggleMountInside();
            return applied(true, true);
        }
        if (!calc->offersEdgeProfiles) return {};
        project_.toggleEdgeProfiles();
        return applied(true, true);
    });
}

// --- The right panel's system page.

std::vector<std::string> ProjectEditor::rollerEntries() const {
    std::vector<std::string> entries;
    const DSSystem* calc = project_.calculator;
    if (!calc) return entries;
    if (calc->configuredRollerSetCount() > 0) {
        for (const Article* a : calc->articles)
            if (a->kind == kKindRollerSet) entries.push_back(a->code);
    } else {
        entries.emplace_back(kStandardRollers);
    }
    // Pivot fittings hold at most two doors.
    if (calc->options().pivot && project_.sketch.doorCount <= 2) entries.emplace_back(kPivotEntry);
    return entries;
}

std::string ProjectEditor::currentRollerEntry() const {
    const DSSystem* calc = project_.calculator;
    if (!calc) return {};
    const std::optional<bool> pivot = calc->options().pivot;
    if (pivot && *pivot && project_.sketch.doorCount <= 2) return std::string(kPivotEntry);
    if (calc->configuredRollerSetCount() == 0) return std::string(kStandardRollers);
    const std::vector<std::string> entries = rollerEntries();
    const std::string chosen = calc->rollerSetCode();
    if (std::find(entries.begin(), entries.end(), chosen) != entries.end()) return chosen;
    return entries.empty() ? std::string() : entries.front();
}

Changes ProjectEditor::chooseRollerEntry(std::string_view entry) {
    return step([&]() -> Changes {
        DSSystem* calc = project_.calculator;
        const std::vector<std::string> entries = rollerEntries();
        if (!calc || std::find(entries.begin(), entries.end(), entry) == entries.end()) return {};
        if (entry == currentRollerEntry()) return {};
        if (SystemOptions options = calc->options(); options.pivot) {
            options.pivot = entry == kPivotEntry;
            calc->setOptions(options);
            calc->assignRows(project_.sketch);
            project_.sketch.resizePending = true;
        }
        if (entry == kStandardRollers) {
            calc->rollerSet = nullptr;
        } else {
            // The pivot entry leaves the roller set as it is.
            for (RollerSet* set : calc->rollerSets())
                if (set->code == entry) {
                    calc->rollerSet = set;
                    break;
                }
        }
        project_.recalculate(false);
        return applied(true, true);
    });
}

Changes ProjectEditor::setHeightOffset(int32_t millimetres) {
    return step([&]() -> Changes {
        DSSystem* calc = project_.calculator;
        if (!calc || (millimetres != -40 && millimetres != -33)) return {};
        SystemOptions options = calc->options();
        if (!options.heightOffset || *options.heightOffset == millimetres) return {};
        options.heightOffset = millimetres;
        calc->setOptions(options);
        project_.sketch.resizePending = true;
        project_.recalculate(false);
        return applied(true, true);
    });
}

Changes ProjectEditor::chooseBarLength(int choice) {
    return step([&]() -> Changes {
        if (!project_.handleProfile || (choice != 1 && choice != 2)) return {};
        if (choice == 2 && project_.handleProfile->barLength2 <= 0) return {};
        // The choice belongs to the catalogue record, which the Project only points to.
        const std::vector<HandleProfile*>& all = project_.catalogue().handleProfiles();
        const auto it = std::find(all.begin(), all.end(), project_.handleProfile);
        if (it == all.end() || (*it)->barChoice == choice) return {};
        (*it)->barChoice = static_cast<uint8_t>(choice);
        project_.recalculate(false);
        return applied(true, true);
    });
}

namespace {

// Герлит's profile toggles: only while the system offers them.
template <class Toggle> Changes toggleProfile(Project& project, Toggle toggle) {
    DSSystem* calc = project.calculator;
    if (!calc || !calc->options().runningProfile) return {};
    toggle(*calc);
    project.sketch.resizePending = true;
    project.recalculate(false);
    return applied(true, true);
}

} // namespace

Changes ProjectEditor::toggleRunningProfile() {
    return step([&] { return toggleProfile(project_, [](DSSystem& s) { s.toggleRunningProfile(); }); });
}

Changes ProjectEditor::toggleGuideProfile() {
    return step([&] { return toggleProfile(project_, [](DSSystem& s) { s.toggleGuideProfile(); }); });
}

Changes ProjectEditor::clearSketch() {
    return step([&]() -> Changes {
        project_.rebuildSketch();
        return applied(true);
    });
}

bool ProjectEditor::offersRailProfiles() const {
    return project_.calculator && project_.calculator->options().runningProfile;
}

bool ProjectEditor::dividersVertical() const {
    return fixedOrientation(project_.dividerProfile).value_or(project_.newDividerVertical);
}

// --- How the order is shown.

void ProjectEditor::selectInsert(int door, int32_t insertId) {
    project_.sketch.selectInsert(door, insertId);
}

void ProjectEditor::selectDivider(int door, int32_t dividerId) {
    project_.sketch.selectDivider(door, dividerId);
}

void ProjectEditor::clearSelection() {
    project_.sketch.clearSelection();
}

void ProjectEditor::copyDoor(int door) {
    project_.sketch.copyDoor(door);
}

Changes ProjectEditor::showOtherDoors() {
    project_.sketch.clearSelection();
    return shownOnly();
}

Changes ProjectEditor::setShowInsertSizes(bool shown) {
    if (shown == project_.showInsertSizes) return {};
    project_.showInsertSizes = shown;
    return shownOnly();
}

Changes ProjectEditor::setScaleOnFill(bool scale) {
    if (scale == project_.scaleOnFill) return {};
    project_.scaleOnFill = scale;
    return preferenceSet();
}

Changes ProjectEditor::setDrawDividers(bool draw) {
    draw = draw && project_.dividerProfile;
    if (draw == project_.drawDividers) return {};
    project_.drawDividers = draw;
    return preferenceSet();
}

Changes ProjectEditor::toggleDividerOrientation() {
    if (!project_.dividerProfile) return {};
    const bool vertical = fixedOrientation(project_.dividerProfile).value_or(!project_.newDividerVertical);
    if (vertical == project_.newDividerVertical) return {};
    project_.newDividerVertical = vertical;
    return preferenceSet();
}

// --- The sketch.

Changes ProjectEditor::split(int door, int32_t insertId, int32_t position, bool vertical) {
    return step([&]() -> Changes {
        Door* d = doorInUse(project_, door);
        const DividerProfile* profile = project_.dividerProfile;
        if (!d || !profile) return {};
        // A profile made for one orientation only takes no other.
        if ((profile->flag == 1 && vertical) || (profile->flag == 2 && !vertical)) return {};
        if (!d->splitInsert(insertId, position, profile, vertical)) return {};
        DoorSketch& sketch = project_.sketch;
        sketch.selectedDividerId =
            d->nextDividerId - 1; // the split advances the counter past the new divider
        sketch.selectedDividerDoor = door;
        project_.recalculate(true);
        return applied(true);
    });
}

Changes ProjectEditor::removeDivider(int door, int32_t dividerId) {
    return step([&]() -> Changes {
        Door* d = doorInUse(project_, door);
        if (!d || !d->removeDivider(dividerId)) return {};
        DoorSketch& sketch = project_.sketch;
        if (sketch.selectedDividerDoor == door && sketch.selectedDividerId == dividerId) {
            sketch.selectedDividerId = 0;
            sketch.selectedDividerDoor = -1;
        }
        project_.recalculate(true);
        return applied(true);
    });
}

Changes ProjectEditor::moveDivider(int door, int32_t dividerId, int32_t position) {
    return step([&]() -> Changes {
        Door* d = doorInUse(project_, door);
        const Divider* divider = d ? d->divider(dividerId) : nullptr;
        if (!divider || divider->position == position || !d->moveDivider(dividerId, position)) return {};
        project_.sketch.selectedDividerDoor = door;
        project_.sketch.selectedDividerId = dividerId;
        project_.recalculate(true);
        return applied(true);
    });
}

Changes ProjectEditor::moveJoint(int door, int32_t growth) {
    return step([&]() -> Changes {
        if (growth == 0 || !project_.sketch.moveJoint(door, growth)) return {};
        project_.sketch.selectedDividerDoor = door;
        project_.sketch.selectedDividerId = 0;
        project_.recalculate(true);
        return applied(true);
    });
}

Changes ProjectEditor::setInsertSize(int door, int32_t dividerId, int32_t size, bool after) {
    return step([&]() -> Changes {
        Door* d = doorInUse(project_, door);
        const Divider* divider = d ? d->divider(dividerId) : nullptr;
        if (!divider) return {};
        // The dialog offers sizes that leave the other panel its minimum.
        const auto [before, beyond] = d->extentsAround(*divider);
        if (size < kMinInsertPart || size > clampToInt(int64_t{before} + beyond - kMinInsertPart)) return {};
        // Moves the divider so that the panel on the asked side gets `wanted`, and recalculates when it
        // moved.
        auto attempt = [&](int32_t wanted) {
            if (wanted < -kMaxInsertSizeRequest || wanted > kMaxInsertSizeRequest) return false;
            const int32_t position = d->panelPositionFor(*d->divider(dividerId), wanted, after);
            if (!d->moveDivider(dividerId, position)) return false;
            project_.recalculate(true);
            return true;
        };
        bool moved = attempt(size);
        // The calculator may make the panel a little off the request; ask once more, corrected by that.
        const int32_t got = d->panelSizeBeside(*d->divider(dividerId), after);
        if (got != size) moved |= attempt(clampToInt(2 * int64_t{size} - got));
        if (!moved) return {};
        project_.sketch.selectDivider(door, dividerId);
        return applied(true);
    });
}

Changes ProjectEditor::pasteDoor(int from, int to) {
    return step([&]() -> Changes {
        project_.sketch.copyDoor(from);
        return project_.pasteDoor(to) ? applied(true) : Changes{};
    });
}

Changes ProjectEditor::alignDividers(int door, bool vertical) {
    return step([&]() -> Changes {
        Door* d = doorInUse(project_, door);
        if (!d || !d->hasDividers(vertical)) return {};
        project_.alignDividers(door, vertical);
        return applied(true);
    });
}

Changes ProjectEditor::fill(int door, int32_t insertId, const Material* material) {
    return step([&]() -> Changes {
        if (!project_.sketch.fillInsert(door, insertId, material)) return {};
        project_.recalculate(true);
        return applied(true);
    });
}

Changes ProjectEditor::fillAcrossDoors(int door, int32_t insertId, const Material* material, int first,
                                       int last) {
    return step([&]() -> Changes {
        if (!project_.sketch.fillInsertAcrossDoors(door, insertId, material, first, last)) return {};
        project_.recalculate(true);
        return applied(true);
    });
}

Changes ProjectEditor::clearMaterial(int door, int32_t insertId) {
    return step([&]() -> Changes {
        Insert* ins = project_.sketch.insertOf(door, insertId);
        if (!ins || !ins->material) return {};
        ins->material = nullptr;
        project_.recalculate(true);
        return applied(true);
    });
}

Changes ProjectEditor::fillSelectedInsert(const Material* material) {
    // Showing other doors clears the selection, so a selected insert is always in a door shown.
    const DoorSketch& sketch = project_.sketch;
    const int door = sketch.selectedInsertDoor();
    if (door < 0) return {};
    return fill(door, sketch.doors[static_cast<size_t>(door)].selectedInsertId, material);
}

Changes ProjectEditor::fillSelectedInsertScaled(const Material* material, int first, int last) {
    const DoorSketch& sketch = project_.sketch;
    const int door = sketch.selectedInsertDoor();
    if (door < 0) return {};
    const int32_t insert = sketch.doors[static_cast<size_t>(door)].selectedInsertId;
    Changes c =
        first < 0 ? fill(door, insert, material) : fillAcrossDoors(door, insert, material, first, last);
    c.selectionAfter = c.applied;
    return c;
}

Changes ProjectEditor::setDoorWidths(const std::vector<std::string>& typedWidths,
                                     const std::vector<int32_t>& rows) {
    return step([&]() -> Changes {
        DoorWidthsEditor widths(project_);
        widths.begin();
        const DoorWidthsEditor::Result result = widths.apply(project_, typedWidths, rows, true);
        return result.outcome == DoorWidthsEditor::Outcome::Applied ? applied(true) : Changes{};
    });
}

// --- The order.

Changes ProjectEditor::setOrderCard(const OrderCard& card) {
    return step([&]() -> Changes {
        if (card == project_.orderCard) return {};
        project_.orderCard = card;
        Changes c;
        c.applied = c.orderCard = c.totals = true;
        return c;
    });
}

Changes ProjectEditor::newOrder() {
    if (typing()) endTyping();
    project_.newOrderCard();
    clearHistory();
    Changes c = applied(false);
    c.orderCard = c.totals = true;
    return c;
}

Changes ProjectEditor::claimOrderNumber() {
    return step([&]() -> Changes {
        const std::filesystem::path& folder = project_.configFolder();
        const OrderCard& card = project_.orderCard;
        const OrderNumberClaim claim =
            numberKeeper_ ? numberKeeper_->claim(folder, card.orderNumber, project_.offeredOrderNumber)
                          : dalvex::claimOrderNumber(folder, card.orderNumber, project_.offeredOrderNumber);
        claim_ = PendingClaim{claim, project_.offeredOrderNumber,
                              project_.orderCard.orderNumber == project_.offeredOrderNumber};
        project_.offeredOrderNumber.clear();
        if (claim.number == project_.orderCard.orderNumber) return {};
        project_.orderCard.orderNumber = claim.number;
        Changes c;
        c.applied = c.orderCard = true;
        return c;
    });
}

void ProjectEditor::releaseOrderNumber() {
    if (!claim_) return;
    if (numberKeeper_)
        numberKeeper_->release(project_.configFolder(), claim_->claim);
    else
        dalvex::releaseOrderNumber(project_.configFolder(), claim_->claim);
    // A card that showed its offered number offers the number it shows now (a renumbered card keeps it, and
    // the counter is back on it), so the next save claims it anew.
    project_.offeredOrderNumber = claim_->showedOffered ? project_.orderCard.orderNumber : claim_->offered;
    claim_.reset();
}

SketchFileResult ProjectEditor::open(const std::filesystem::path& path) {
    if (typing()) endTyping();
    const SketchFileResult result = project_.open(path);
    if (result == kSketchOk) {
        followOrientationRule(project_);
        clearHistory();
    }
    return result;
}

} // namespace dalvex
