#pragma once
// Every change a user makes to the order goes through here: an EditOp applied as one step of the history,
// undo and redo, opening a file and a new order. After each the one listener hears what changed (KiCad's
// BOARD_LISTENER, Tiled's Document::changed): the desktop program's document turns that into the signals its
// panels connect to, so no widget tells another what it did. The desktop program and dalvex-cli both edit
// through here, so they cannot disagree. The editor also keeps what the user points at in the sketch.
#include "files/sketch_file.h"
#include "project/changes.h"
#include "project/edit_op.h"
#include "project/order_edits.h"
#include "project/order_history.h"
#include "sketch/sketch_selection.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace dalvex {

class Project;

class ProjectEditor {
public:
    using Listener = std::function<void(const Changes&)>;

    explicit ProjectEditor(Project& project);

    const Project& project() const { return project_; }
    // The one listener, told after every operation that changed the order (never after a refused one).
    void setListener(Listener listener) { listener_ = std::move(listener); }

    // Checks and makes the change as one step of the history (undo and redo take a step back or forth).
    // Operations given the same merge key in a row are one step, each made on the order as it was before the
    // first: the keystrokes of one typing.
    Changes apply(const EditOp& op, std::string_view mergeKey = {});

    // --- The history. ---
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    std::string_view undoLabel() const { return history_.undoLabel(); }
    std::string_view redoLabel() const { return history_.redoLabel(); }
    // Whether the order changed since it was last saved or opened.
    bool modified() const { return history_.modified(); }
    void markSaved() { history_.markSaved(); }

    // --- The order. ---
    // Opens a sketch file: on success the order is the file's and its history starts anew; on any failure
    // nothing changed.
    SketchFileResult open(const std::filesystem::path& path);
    // The same for a file's bytes.
    SketchFileResult openBytes(std::string_view bytes);
    // A sketch a customer sent (a link from the shop's page) is a new order of this shop: opened as
    // openBytes does, it is offered the counter's next number as a new order is, the customer's card texts
    // kept. Its first save or recording claims the number.
    SketchFileResult openAsNewOrder(std::string_view bytes);
    // A new card, numbered from the counter, and a new history; the sketch stays.
    Changes newOrder();
    // The order was not saved after all: the number claimed for it goes back to the counter.
    void releaseOrderNumber();
    // Numbers are taken and given back through `keeper` (a journal) instead of the counter file alone;
    // nullptr: the counter file.
    void setNumberKeeper(OrderNumberKeeper* keeper) { claims_.setKeeper(keeper); }

    // --- What the user points at. Not part of the order: no step, nothing to recalculate. ---
    const SketchSelection& selection() const { return selection_; }
    // False (and nothing selected) for an insert that is not in a door in use.
    bool selectInsert(int door, int32_t insertId);
    void clearSelection(); // the insert and the divider
    void copyDoor(int door);

private:
    void announce(const Changes& changes);
    // After an open: a new history, nothing selected, everything told.
    SketchFileResult opened(SketchFileResult result);

    Project& project_;
    SketchSelection selection_;
    OrderNumberClaims claims_;
    OrderHistory history_;
    Listener listener_;
};

} // namespace dalvex
