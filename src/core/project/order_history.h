#pragma once
// The undo history of an order: before each step the state of the order, the step's label and what it
// changed. Every operation is a step of its own, except a typing: operations under the same merge key in a
// row (the keystrokes of one typing) are one step, and each is made on the order as it was before the first
// of them, so that typing a value gives what setting it once gives (Inkscape's maybeDone, by key).
#include "project/changes.h"
#include "project/project_state.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dalvex {

class EditPass;
class Project;

class OrderHistory {
public:
    static constexpr size_t kDepth = 100;

    // Makes a change of `project` as a step labelled `label`; `make` answers what it changed.
    Changes record(EditPass pass, Project& project, std::string_view label, std::string_view mergeKey,
                   const std::function<Changes()>& make);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The labels of the steps undo and redo would take back or make again; empty when there is none.
    std::string_view undoLabel() const { return undo_.empty() ? std::string_view() : undo_.back().label; }
    std::string_view redoLabel() const { return redo_.empty() ? std::string_view() : redo_.back().label; }
    // Puts the order back as it was before (after) the step, and answers what the step changed.
    Changes undo(EditPass pass, Project& project);
    Changes redo(EditPass pass, Project& project);
    // A new history: nothing to undo or redo, the order as it was saved.
    void clear();
    // Whether the order changed since it was last saved or opened.
    bool modified() const { return current_ != saved_; }
    void markSaved();

private:
    // A state of the order, the number that tells it apart from every other state of this history, and the
    // step that leads away from it.
    struct Step {
        ProjectState state;
        uint64_t id = 0;
        std::string_view label;
        Changes changes;
    };
    // The typing under way: its key, the order before it and whether it has a step yet.
    struct Typing {
        std::string key;
        ProjectState base;
        uint64_t baseId = 0;
        bool recorded = false;
    };

    void push(ProjectState before, std::string_view label, const Changes& changes);
    Changes continueTyping(EditPass pass, Project& project, std::string_view label, const std::function<Changes()>& make);
    Changes travel(EditPass pass, Project& project, std::deque<Step>& from, std::deque<Step>& to);

    std::deque<Step> undo_;
    std::deque<Step> redo_;
    std::optional<Typing> typing_;
    uint64_t current_ = 0;
    uint64_t saved_ = 0;
    uint64_t lastId_ = 0;
};

} // namespace dalvex
