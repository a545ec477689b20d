#include "dialogs/tool_dialog.h"

namespace dalvex::ui {

ToolDialog::ToolDialog(NotificationHub& hub, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), hub_(hub) {}

void ToolDialog::lockPanels() {
    if (locked_) return;
    locked_ = true;
    hub_.notify(Notification::LockPanels);
}

void ToolDialog::unlockPanels() {
    if (!locked_) return;
    locked_ = false;
    hub_.notify(Notification::UnlockPanels);
}

void ToolDialog::centreOnMainWindow() {
    QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    if (!main) return;
    const QPoint centre = main->mapToGlobal(main->rect().center());
    move(centre - QPoint(width() / 2, height() / 2));
}

} // namespace dalvex::ui
