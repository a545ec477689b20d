#pragma once
// The editor's system options: the top panel's toggle (Фелдор's mounting or the edge profiles) and the right
// panel's roller set, Борвик's height offset, the handle profile's bar length and Герлит's profiles. They
// belong to the order (its OrderOptions), never to the shared catalogue.
#include "project/edit_op.h"
#include "project/edit_target.h"

namespace dalvex::edits {

Changes make(EditTarget& target, const edit::ToggleOption& op);
Changes make(EditTarget& target, const edit::ChooseRollers& op);
Changes make(EditTarget& target, const edit::SetHeightOffset& op);
Changes make(EditTarget& target, const edit::ChooseBarLength& op);
Changes make(EditTarget& target, const edit::ToggleRunningProfile& op);
Changes make(EditTarget& target, const edit::ToggleGuideProfile& op);

} // namespace dalvex::edits
