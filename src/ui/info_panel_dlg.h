#pragma once
// The info line under the sketch view: describes the item under the mouse.
#include "panel.h"

#include <QString>

namespace dalvex::ui {

class InfoPanelDlg : public Panel {
    Q_OBJECT
public:
    static constexpr int kHeight = 60;

    InfoPanelDlg(const UiContext& context, QWidget* parent);

    // Takes the hover description from the sketch view and repaints.
    void showHover();

    const QString& firstLine() const { return first_; }
    const QString& secondLine() const { return second_; }

protected:
    void onNotification(Notification n) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString first_;
    QString second_;
};

} // namespace dalvex::ui
