#include "dlg_table.h"

#include <QPainter>

namespace dalvex::ui {

DlgTable::DlgTable(const UiContext& context, int kind, QWidget* parent) : Panel(context, parent), kind_(kind) {
    rebuild();
}

void DlgTable::rebuild() { update(); }

void DlgTable::onNotification(Notification n) {
    if (n == Notification::Recalculated) rebuild();
}

void DlgTable::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
}

} // namespace dalvex::ui
