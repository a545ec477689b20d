#pragma once
// The base of the main window's panels: their context, their background, and the keyboard taken from a
// dimension edit by a click anywhere on them.
#include "document/ui_context.h"
#include "widgets/tiled_background.h"

#include <QWidget>

namespace dalvex::ui {

// Panel: the base of the main window's panels.
class Panel : public QWidget {
    Q_OBJECT
public:
    Panel(const UiContext& context, QWidget* parent);

protected:
    // Tiles the panel background picture over the whole panel.
    void paintBackground(QPainter& painter);

    UiContext ctx_;

private:
    TiledBackground background_;
};

} // namespace dalvex::ui
