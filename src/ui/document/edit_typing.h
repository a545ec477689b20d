#pragma once
// The keystrokes of one typing in an edit of a panel are one step of the history: each is applied under a
// merge key made of the edit's name and the number of the typing, and leaving the edit ends the typing. While
// the panel's own keystroke is being applied, the panel leaves the edit as typed when the order tells of it.
#include "project/project_editor.h"

class QLineEdit;

namespace dalvex::ui {

// EditTyping: what is being typed into a field, one undo step.
class EditTyping {
public:
    // Applies `op` as a keystroke typed in `edit`, which has an object name; null: a change of the panel's
    // own, a step by itself.
    Changes apply(ProjectEditor& editor, const EditOp& op, const QLineEdit* edit);
    // The typing ended: the next keystroke begins a step of its own.
    void end() { ++count_; }
    bool applying() const { return applying_; }

private:
    int count_ = 0;
    bool applying_ = false;
};

} // namespace dalvex::ui
