#pragma once
// The base of the main window's panels: receives the notifications the main window forwards, counts them (the
// tests and the main window can see what reached a panel), and disables or enables the panel on LockPanels
// and UnlockPanels.
#include "notifications.h"
#include "ui_context.h"
#include "widgets/tiled_background.h"

#include <QWidget>

#include <array>

namespace dalvex::ui {

class Panel : public QWidget {
    Q_OBJECT
public:
    Panel(const UiContext& context, QWidget* parent);

    void receive(Notification n);
    int received(Notification n) const;

protected:
    virtual void onNotification(Notification) {}
    // Tiles the panel background picture over the whole panel.
    void paintBackground(QPainter& painter);

    UiContext ctx_;

private:
    std::array<int, 16> counts_{};
    TiledBackground background_;
};

} // namespace dalvex::ui
