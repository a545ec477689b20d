#include "panel.h"

#include "order_document.h"
#include "project/changes.h"

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

bool deliver(const UiContext& context, const Changes& changes) {
    if (context.document) return context.document->deliver(changes);
    if (!changes.applied) return false;
    context.hub.notify(Notification::Recalculated);
    return true;
}

Panel::Panel(const UiContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
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

void Panel::paintBackground(QPainter& painter) const {
    painter.drawTiledPixmap(rect(), ctx_.artwork.picture(kPicturePanelBack));
}

} // namespace dalvex::ui
