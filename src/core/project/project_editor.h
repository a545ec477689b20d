#pragma once
// Every change a user can make to the order, as one operation each: it validates its arguments (refusing
// without any change what the desktop program refuses), applies the change, recalculates as the rules say,
// and answers what changed. Each operation that changed the order is one step of the undo history. The
// desktop program and dalvex-cli both edit through here, so they cannot disagree.
#include "files/sketch_file.h"
#include "orders/order_numbers.h"
#include "project/changes.h"
#include "project/project_state.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {

class Project;
struct Material;

class ProjectEditor {
public:
    static constexpr size_t kHistoryDepth = 100;

    explicit ProjectEditor(Project& project);

    Project& project() const { return project_; }

    // --- The choices of the top panel and the pickers. ---
    Changes selectSystem(DSSystem* system);
    Changes setHandleProfile(const HandleProfile* handle);    // one the system offers
    Changes setProfileColor(const ProfileColor* color);       // one the handle profile offers
    Changes setDividerProfile(const DividerProfile* divider); // one the system offers
    Changes setWidth(int32_t tenths);
    Changes setHeight(int32_t tenths);
    Changes setDoorCount(int32_t count); // one of the system's offeredDoorCounts()
    Changes setChipboardWidth(int32_t tenths);
    Changes setPlinthHeight(int32_t tenths);
    Changes setDiscountPercent(double percent);
    // The option toggle of the top panel: Фелдор's inside mounting, or the edge profiles.
    Changes toggleOption();

    // --- The right panel's system page. ---
    // The roller list as the panel shows it: the roller sets the price list configured (or "стандартные"),
    // then "пивотный мех." where pivot fittings are offered; and the entry now chosen.
    std::vector<std::string> rollerEntries() const;
    std::string currentRollerEntry() const;
    Changes chooseRollerEntry(std::string_view entry);
    Changes setHeightOffset(int32_t millimetres); // Борвик without pivot: -40 or -33
    Changes chooseBarLength(int choice);          // the handle profile's first (1) or second (2) bar length
    Changes toggleRunningProfile();               // Герлит
    Changes toggleGuideProfile();                 // Герлит
    Changes clearSketch();                        // "Очистить": every divider and material gone
    // Whether the system has running and guide profiles to choose (Герлит) instead of the divider tools.
    bool offersRailProfiles() const;
    // The orientation new dividers get: the divider profile's own when it allows only one, else the chosen.
    bool dividersVertical() const;

    // --- How the order is shown and drawn. These are preferences of the desktop program, not part of the
    // order: no undo step, not saved. ---
    Changes showOtherDoors(); // a view now shows other doors (one door or all): the selection goes
    Changes setShowInsertSizes(bool shown);
    Changes setScaleOnFill(bool scale);
    Changes setDrawDividers(bool draw); // drawing needs a divider profile
    Changes toggleDividerOrientation(); // only where the divider profile allows both

    // --- What the user points at: the selected insert or divider, the copied door. Not part of the order: no
    // undo step, nothing to recalculate. ---
    void selectInsert(int door, int32_t insertId);
    void selectDivider(int door, int32_t dividerId);
    void clearSelection();
    void copyDoor(int door);

    // --- The sketch, in the door's own coordinates (0.1 mm) and ids. ---
    Changes split(int door, int32_t insertId, int32_t position, bool vertical);
    Changes removeDivider(int door, int32_t dividerId);
    Changes moveDivider(int door, int32_t dividerId, int32_t position);
    Changes moveJoint(int door, int32_t growth); // door grows by `growth`, the next door shrinks by as much
    // The insert size dialog: the panel before (false) or after (true) the divider is to get `size`; a second
    // attempt corrects for what the calculator made of the first. Refused when neither moves the divider.
    Changes setInsertSize(int door, int32_t dividerId, int32_t size, bool after);
    Changes pasteDoor(int from, int to);
    Changes alignDividers(int door, bool vertical);
    Changes fill(int door, int32_t insertId, const Material* material);
    Changes fillAcrossDoors(int door, int32_t insertId, const Material* material, int first, int last);
    Changes clearMaterial(int door, int32_t insertId);
    // The thumbnail's click: the insert selected in the doors shown gets the material.
    Changes fillSelectedInsert(const Material* material);
    // The scaling dialog: the selected insert gets the material's picture fitted to it (`first` < 0) or
    // spread over the doors first..last; the panels showing the selection refresh after the recalculation.
    Changes fillSelectedInsertScaled(const Material* material, int first, int last);
    // The door widths dialog's OK: typed whole millimetres (a remaining gap accepted) and rows.
    Changes setDoorWidths(const std::vector<std::string>& typedWidths, const std::vector<int32_t>& rows);

    // --- The order. ---
    Changes setOrderCard(const OrderCard& card);
    Changes newOrder(); // a new card, numbered from the counter; new history
    // Just before the order is saved from its card: its number is taken from the counter, so that two
    // programs never save the same one. When another program took the offered number meanwhile, the card gets
    // the next free one (a step of the history: the card changed).
    Changes claimOrderNumber();
    // The order was not saved after all (the dialog cancelled, the file not written): the number claimed last
    // goes back to the counter unless another program has taken a number since.
    void releaseOrderNumber();
    // Numbers are taken and given back through `keeper` (a journal) instead of the counter file alone;
    // nullptr: the counter file.
    void setNumberKeeper(OrderNumberKeeper* keeper) { numberKeeper_ = keeper; }
    SketchFileResult open(const std::filesystem::path& path); // new history on success

    // --- Typing: every keystroke of a dimension applies to the state as it was when the typing began, so
    // typing a value gives what setting it once gives; the whole typing is one step. ---
    void beginTyping();
    void endTyping();
    bool typing() const { return typingBase_.has_value(); }

    // --- History. ---
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    Changes undo();
    Changes redo();
    void clearHistory();
    // Tells the states of this history apart: it changes with every step, undo and redo.
    uint64_t stateId() const { return current_; }
    // Whether the order changed since it was last saved or opened.
    bool modified() const { return current_ != saved_; }
    void markSaved() { saved_ = current_; }

private:
    // A state of the order and the number that tells it apart from every other state of this history.
    struct Step {
        ProjectState state;
        uint64_t id = 0;
    };

    template <class Op> Changes step(Op&& op);
    template <class Op> Changes typedStep(Op&& op);
    void push(ProjectState before);
    Changes travel(std::deque<Step>& from, std::deque<Step>& to);

    Project& project_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    std::optional<ProjectState> typingBase_;
    struct PendingClaim {
        OrderNumberClaim claim;
        std::string offered; // what the card was offered before the claim
        bool showedOffered = false;
    };
    std::optional<PendingClaim> claim_;
    OrderNumberKeeper* numberKeeper_ = nullptr;
    bool typingChanged_ = false;
    uint64_t current_ = 0;
    uint64_t saved_ = 0;
    uint64_t lastId_ = 0;
};

} // namespace dalvex
