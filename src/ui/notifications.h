#pragma once
// The notifications that only the desktop program's windows know of: the mouse over the sketch, a click in
// it, a tool dialog locking the panels and the tab bar. What changes in the order reaches the panels through
// the document's signals instead (order_document.h).

namespace dalvex::ui {

enum class Notification {
    HoverChanged,  // the item under the mouse in the sketch view changed
    SketchClicked, // left button pressed in the sketch view
    LockPanels,    // a tool dialog opened
    UnlockPanels,  // the tool dialog closed
    TabChanged,    // the tab bar changed the selected tab
};

// Implemented by the main window; panels hold a reference and call it, never each other.
class NotificationHub {
public:
    virtual ~NotificationHub() = default;
    virtual void notify(Notification n) = 0;
};

} // namespace dalvex::ui
