#include "right_panel_dlg.h"

#include "catalogue/catalogue.h"
#include "model/project.h"

#include <QPainter>

namespace dalvex::ui {

RightPanelDlg::RightPanelDlg(const UiContext& context, QWidget* parent) : Panel(context, parent) {}

void RightPanelDlg::onNotification(Notification n) {
    if (n == Notification::SelectionChanged || n == Notification::Recalculated) update();
}

void RightPanelDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBackground(p);
    p.setPen(QColor(214, 197, 181));
    p.drawLine(0, 0, 0, height());

    // Until the fillings and door parameters move in here, the panel sums up the current choice.
    const Project& project = ctx_.project;
    QFont title("Arial");
    title.setPixelSize(15);
    title.setBold(true);
    QFont body("Arial");
    body.setPixelSize(13);
    p.setPen(QColor(76, 76, 76));
    p.setFont(title);
    p.drawText(QRect(20, 18, width() - 40, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Эскиз дверей"));
    p.setPen(QColor(219, 206, 198));
    p.drawLine(20, 46, width() - 20, 46);
    p.setFont(body);
    p.setPen(QColor(76, 76, 76));
    const QString lines[] = {
        QStringLiteral("Система: %1")
            .arg(project.calculator ? QString::fromStdString(project.calculator->code)
                                    : QStringLiteral("нет")),
        QStringLiteral("Ручка: %1")
            .arg(project.handleProfile ? QString::fromStdString(project.handleProfile->code)
                                       : QStringLiteral("нет")),
        QStringLiteral("Цвет: %1")
            .arg(project.profileColor ? QString::fromStdString(project.profileColor->code)
                                      : QStringLiteral("нет")),
        QStringLiteral("Дверей: %1").arg(project.doorCount),
        QStringLiteral("Материалов в библиотеке: %1").arg(project.catalogue().collections().size()),
    };
    int y = 58;
    for (const QString& line : lines) {
        p.drawText(QRect(20, y, width() - 40, 20), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += 24;
    }
    p.setPen(QColor(150, 150, 150));
    p.drawText(QRect(20, y + 10, width() - 40, 80), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Наполнения, разделители и параметры дверей выбираются здесь."));
}

} // namespace dalvex::ui
