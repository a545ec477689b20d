#include "project/order_history.h"

#include "project/project.h"

#include <utility>

namespace dalvex {

Changes OrderHistory::record(EditPass pass, Project& project, std::string_view label, std::string_view mergeKey,
                             const std::function<Changes()>& make) {
    if (!mergeKey.empty() && typing_ && typing_->key == mergeKey) return continueTyping(pass, project, label, make);
    typing_.reset();
    ProjectState before = captureState(project);
    const uint64_t beforeId = current_;
    const Changes changes = make();
    // A typing keeps a copy of the order before it, to go on from; the step takes the order itself.
    if (!mergeKey.empty()) typing_ = Typing{std::string(mergeKey), before, beforeId, changes.applied};
    if (changes.applied) push(std::move(before), label, changes);
    return changes;
}

Changes OrderHistory::continueTyping(EditPass pass, Project& project, std::string_view label,
                                     const std::function<Changes()>& make) {
    Typing& typing = *typing_;
    // The typing goes on from its base: a value typed over replaces the last one. The operation mostly
    // recalculates anyway, so the base is calculated only when it does not.
    const bool putBack = typing.recorded;
    if (putBack) putBackState(pass, project, typing.base);
    Changes changes = make();
    if (putBack && !changes.recalculated) project.recalculate(pass, true);
    if (changes.applied && !typing.recorded) {
        push(typing.base, label, changes);
        typing.recorded = true;
        return changes;
    }
    if (!typing.recorded) return changes; // refused, and the order is as the typing found it
    Step& step = undo_.back();
    if (changes.applied) {
        step.changes |= changes;
        return step.changes;
    }
    // Refused: the order is back as before the typing, and so is its history. The panels follow that too.
    Changes back = step.changes;
    back.recalculated = true;
    undo_.pop_back();
    current_ = typing.baseId;
    typing.recorded = false;
    return back;
}

void OrderHistory::push(ProjectState before, std::string_view label, const Changes& changes) {
    undo_.push_back({std::move(before), current_, label, changes});
    if (undo_.size() > kDepth) undo_.pop_front();
    redo_.clear();
    current_ = ++lastId_;
}

Changes OrderHistory::travel(EditPass pass, Project& project, std::deque<Step>& from, std::deque<Step>& to) {
    typing_.reset();
    if (from.empty()) return {};
    Step back = std::move(from.back());
    from.pop_back();
    to.push_back({captureState(project), current_, back.label, back.changes});
    restoreState(pass, project, back.state);
    current_ = back.id;
    Changes changes = back.changes;
    changes.recalculated = true; // the state put back is calculated anew
    return changes;
}

Changes OrderHistory::undo(EditPass pass, Project& project) {
    return travel(pass, project, undo_, redo_);
}

Changes OrderHistory::redo(EditPass pass, Project& project) {
    return travel(pass, project, redo_, undo_);
}

void OrderHistory::clear() {
    typing_.reset();
    undo_.clear();
    redo_.clear();
    current_ = saved_ = ++lastId_;
}

void OrderHistory::markSaved() {
    // What was saved is a step of its own: a typing that goes on makes the next one.
    typing_.reset();
    saved_ = current_;
}

} // namespace dalvex
