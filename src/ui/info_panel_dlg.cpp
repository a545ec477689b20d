#include "info_panel_dlg.h"

#include <QPainter>

namespace dalvex::ui {

InfoPanelDlg::InfoPanelDlg(const UiContext& context, QWidget* parent) : Panel(context, parent) {}

void InfoPanelDlg::showHover() {
    update();
}

void InfoPanelDlg::onNotification(Notification n) {
    if (n == Notification::HoverChanged) showHover();
}

void InfoPanelDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(245, 245, 245));
}

} // namespace dalvex::ui
