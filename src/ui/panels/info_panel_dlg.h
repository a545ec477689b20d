#pragma once
// The info line under the sketch view: describes the item under the mouse, or says what the program has to
// tell (a value refused, where files were written) until that is taken back or the mouse finds an item.
#include "panels/panel.h"

#include <QString>

namespace dalvex::ui {

// InfoPanelDlg: the info line below the sketch.
class InfoPanelDlg : public Panel {
    Q_OBJECT
public:
    static constexpr int kHeight = 60;

    InfoPanelDlg(const UiContext& context, QWidget* parent);

    // Takes the hover description from the sketch view and repaints.
    void showHover();

    const QString& firstLine() const { return notice_.isEmpty() ? first_ : notice_; }
    QString secondLine() const { return notice_.isEmpty() ? second_ : QString(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString first_;
    QString second_;
    QString notice_;
    bool noticeRefuses_ = true;
};

} // namespace dalvex::ui
