#pragma once
// The sketch view's context menu: its window ids and texts for the commands the core says a point offers.
#include "view/sketch_hover.h"

#include <string>
#include <vector>

namespace dalvex::ui {

enum MenuCommand {
    kMenuCopyDoor = 1124,
    kMenuPasteDoor = 1125,
    kMenuDelete = 1126,
    kMenuAlignHorizontal = 1127,
    kMenuAlignVertical = 1128,
    kMenuUndo = 1129,
    kMenuRedo = 1130,
};

struct MenuEntry {
    int command = 0; // 0: a separator
    std::string text;
    bool enabled = true;
};

// The entries above the history's: copy, paste, the alignments and delete, in groups between separators.
std::vector<MenuEntry> contextMenuEntries(const view::PointCommands& commands);

} // namespace dalvex::ui
