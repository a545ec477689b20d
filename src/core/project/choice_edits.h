#pragma once
// The editor's choices: the system, handle profile, colour and divider profile of the pickers, the dimensions
// and the door count of the top panel, and the discount. Each refuses without any change what the desktop
// program does not offer.
#include "project/edit_op.h"
#include "project/edit_target.h"

namespace dalvex::edits {

Changes make(EditTarget& target, const edit::SelectSystem& op);
Changes make(EditTarget& target, const edit::SetHandleProfile& op);
Changes make(EditTarget& target, const edit::SetProfileColor& op);
Changes make(EditTarget& target, const edit::SetDividerProfile& op);
Changes make(EditTarget& target, const edit::SetWidth& op);
Changes make(EditTarget& target, const edit::SetHeight& op);
Changes make(EditTarget& target, const edit::SetDoorCount& op);
Changes make(EditTarget& target, const edit::SetChipboardWidth& op);
Changes make(EditTarget& target, const edit::SetPlinthHeight& op);
Changes make(EditTarget& target, const edit::SetDiscount& op);

// The door count brought to one the system offers through SetDoorCount (Фелдор mounted inside takes 3 doors
// as 4); nothing when it is one already.
Changes offerDoorCount(EditTarget& target);

} // namespace dalvex::edits
