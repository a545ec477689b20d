#pragma once
// The right panel of the sketch editor (options, fillings, door parameters).
#include "panel.h"

namespace dalvex::ui {

class RightPanelDlg : public Panel {
    Q_OBJECT
public:
    static constexpr int kWidth = 280;

    RightPanelDlg(const UiContext& context, QWidget* parent);

protected:
    void onNotification(Notification n) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace dalvex::ui
