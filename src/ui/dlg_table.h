#pragma once
// One of the four result tables (price calculation, order information, profiles and materials, assembly).
#include "panel.h"

namespace dalvex::ui {

class DlgTable : public Panel {
    Q_OBJECT
public:
    DlgTable(const UiContext& context, int kind, QWidget* parent);

    int kind() const { return kind_; }
    void rebuild();

protected:
    void onNotification(Notification n) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int kind_;
};

} // namespace dalvex::ui
