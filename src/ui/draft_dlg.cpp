#include "draft_dlg.h"

#include <QPainter>

namespace dalvex::ui {

DraftDlg::DraftDlg(const UiContext& context, QWidget* parent) : Panel(context, parent) {}

void DraftDlg::redraw() {
    update();
}

void DraftDlg::setLocked(bool locked) {
    setEnabled(!locked);
}

void DraftDlg::onNotification(Notification n) {
    if (n == Notification::Recalculated) redraw();
}

void DraftDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
}

} // namespace dalvex::ui
