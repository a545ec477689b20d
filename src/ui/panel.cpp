#include "panel.h"

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

void Panel::receive(Notification n) {
    const auto i = static_cast<size_t>(n);
    if (i < counts_.size()) ++counts_[i];
    if (n == Notification::LockPanels) setEnabled(false);
    if (n == Notification::UnlockPanels) setEnabled(true);
    onNotification(n);
}

int Panel::received(Notification n) const {
    const auto i = static_cast<size_t>(n);
    return i < counts_.size() ? counts_[i] : 0;
}

void Panel::paintBackground(QPainter& painter) {
    background_.paint(painter, size());
}

} // namespace dalvex::ui
