#pragma once
// The notifications by which panels and dialogs tell the main window that the model changed. The main window
// is the only hub: it forwards each one synchronously to the panels that must refresh.

namespace dalvex::ui {

enum class Notification {
    SelectionChanged = 1, // system, handle profile, colour or divider type changed; a file was opened
    Recalculated = 2,     // the Project was recalculated
    HoverChanged = 3,     // the item under the mouse in the sketch view changed
    SketchClicked = 4,    // left button pressed in the sketch view
    TotalsChanged = 6,    // after a split, a drag, a deletion or an applied material
    DiscountReload = 7,   // the top panel refreshed itself
    LockPanels = 8,       // a tool dialog opened
    UnlockPanels = 9,     // the tool dialog closed
    TabChanged = 10,      // the tab bar changed the selected tab
    SketchOpened = 11,    // a sketch file was opened
    OrderCardChanged = 12 // the order card panel changed the card
};

// Implemented by the main window; panels hold a reference and call it, never each other.
class NotificationHub {
public:
    virtual ~NotificationHub() = default;
    virtual void notify(Notification n) = 0;
};

} // namespace dalvex::ui
