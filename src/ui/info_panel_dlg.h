#pragma once
// The info line under the sketch view: describes the item under the mouse.
#include "panel.h"

namespace dalvex::ui {

class InfoPanelDlg : public Panel {
    Q_OBJECT
public:
    static constexpr int kHeight = 60;

    InfoPanelDlg(const UiContext& context, QWidget* parent);

    // Takes the hover description from the sketch and repaints.
    void showHover();

protected:
    void onNotification(Notification n) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace dalvex::ui
