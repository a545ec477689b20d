#pragma once
// The editor's edits of the sketch: dividers, joints, insert sizes, pasting and spreading, fillings, the door
// widths and clearing. Each checks its arguments (refusing without any change what the desktop program
// refuses), changes the sketch, recalculates as the rules say and keeps the selection valid.
#include "project/edit_op.h"
#include "project/edit_target.h"

namespace dalvex::edits {

Changes make(EditTarget& target, const edit::Split& op);
Changes make(EditTarget& target, const edit::RemoveDivider& op);
Changes make(EditTarget& target, const edit::MoveDivider& op);
Changes make(EditTarget& target, const edit::MoveJoint& op);
Changes make(EditTarget& target, const edit::InsertSize& op);
Changes make(EditTarget& target, const edit::PasteDoor& op);
Changes make(EditTarget& target, const edit::AlignDividers& op);
Changes make(EditTarget& target, const edit::Fill& op);
Changes make(EditTarget& target, const edit::ClearMaterial& op);
Changes make(EditTarget& target, const edit::DoorWidths& op);
Changes make(EditTarget& target, const edit::ClearSketch& op);

} // namespace dalvex::edits
