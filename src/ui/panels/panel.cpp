#include "panels/panel.h"

#include <QPainter>

namespace dalvex::ui {

QFont applicationFont() {
    QFont f("Arial");
    f.setPixelSize(14);
    f.setBold(true);
    return f;
}

QFont labelFont() {
    QFont f("Arial");
    f.setPointSize(8);
    f.setBold(true);
    return f;
}

Panel::Panel(const UiContext& context, QWidget* parent)
    : QWidget(parent), ctx_(context), background_(context.artwork.picture(kPicturePanelBack)) {
    // A click anywhere on a panel takes the keyboard away from the edit that had it, so that a key pressed
    // while working on the sketch cannot change a dimension unseen.
    setFocusPolicy(Qt::ClickFocus);
}

void Panel::paintBackground(QPainter& painter) {
    background_.paint(painter, size());
}

} // namespace dalvex::ui
