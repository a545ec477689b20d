#pragma once
// The sketch view: draws the doors of the Project and turns the mouse into sketch edits.
#include "panel.h"

namespace dalvex::ui {

class DraftDlg : public Panel {
    Q_OBJECT
public:
    DraftDlg(const UiContext& context, QWidget* parent);

    // Renders the sketch again at the next paint.
    void redraw();
    void setLocked(bool locked);

protected:
    void onNotification(Notification n) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace dalvex::ui
