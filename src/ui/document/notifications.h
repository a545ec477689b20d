#pragma once
// What a tool dialog tells the main window: it locks the panels while it is open. What changes in the order
// reaches the panels through the document's signals (order_document.h); the sketch view's hover and clicks
// and the tab bar's choice are signals of their own that the main window connects.

namespace dalvex::ui {

enum class Notification {
    LockPanels,   // a tool dialog opened
    UnlockPanels, // the tool dialog closed
};

// NotificationHub: the main window, as the tool dialogs tell it of their lock.
// Implemented by the main window; panels hold a reference and call it, never each other.
class NotificationHub {
public:
    virtual ~NotificationHub() = default;
    virtual void notify(Notification n) = 0;
};

} // namespace dalvex::ui
