#pragma once
// A tool dialog (door widths, insert size, scaling, report selection): while it is open the main window's
// panels are locked, so the model cannot change underneath it.
#include "document/notifications.h"

#include <QDialog>

namespace dalvex::ui {

// ToolDialog: a dialog that locks the main window's panels while it is open.
class ToolDialog : public QDialog {
    Q_OBJECT
public:
    ToolDialog(NotificationHub& hub, QWidget* parent, Qt::WindowFlags flags);

    bool locked() const { return locked_; }

protected:
    // Each sends its notification once, however often it is called.
    void lockPanels();
    void unlockPanels();
    // Puts the dialog over the centre of the window it belongs to.
    void centreOnMainWindow();

private:
    NotificationHub& hub_;
    bool locked_ = false;
};

} // namespace dalvex::ui
