#include "sketch_view/sketch_menu.h"

#include "text/format.h"

namespace dalvex::ui {

std::vector<MenuEntry> contextMenuEntries(const view::PointCommands& c) {
    std::vector<MenuEntry> entries;
    entries.push_back({kMenuCopyDoor, format("Копировать дверь %d", c.door + 1), true});
    if (c.pasteFrom >= 0)
        entries.push_back({kMenuPasteDoor, format("Вставить дверь %d", c.pasteFrom + 1), c.pasteAllowed});
    entries.push_back({0, std::string(), true});
    if (c.alignHorizontal) entries.push_back({kMenuAlignHorizontal, "Выравнить горизонтальные разделители", true});
    if (c.alignVertical) entries.push_back({kMenuAlignVertical, "Выравнить вертикальные разделители", true});
    if (c.alignHorizontal || c.alignVertical) entries.push_back({0, std::string(), true});
    if (c.deleteItem) entries.push_back({kMenuDelete, "Удалить", true});
    return entries;
}

} // namespace dalvex::ui
