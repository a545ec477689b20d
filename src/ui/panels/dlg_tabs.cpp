#include "panels/dlg_tabs.h"

#include "widgets/picture_button.h"

#include <QKeyEvent>
#include <QPainter>

namespace dalvex::ui {
namespace {

const char* const kTips[] = {"Эскиз дверей",        "Расчет цены",          "Информация о заказе",
                             "Профили и материалы", "Информация по сборке", "Раскрой профилей и листов"};

} // namespace

DlgTabs::DlgTabs(const UiContext& context, QWidget* parent) : Panel(context, parent) {
    for (int i = 0; i < kTabCount; ++i) {
        auto* b = new PictureButton(this);
        b->setCaption(QString(), PictureButton::CaptionPlacement::None);
        b->setToolTip(QString::fromUtf8(kTips[i]));
        connect(b, &QAbstractButton::clicked, this, [this, i] { select(i); });
        tabs_[static_cast<size_t>(i)] = b;
    }
    place();
}

void DlgTabs::select(int tab) {
    if (tab < 0 || tab >= kTabCount) return;
    selected_ = tab;
    place();
    emit tabChanged(tab);
}

void DlgTabs::place() {
    for (int i = 0; i < kTabCount; ++i) {
        const bool on = i == selected_;
        PictureButton* b = tabs_[static_cast<size_t>(i)];
        b->setGeometry(on ? 7 : 12, 7 + 96 * i, on ? 32 : 27, 96);
        const QPixmap pm = ctx_.artwork.picture(kPictureTabBase + 2 * i + (on ? 1 : 0));
        b->setPicture(pm, pm);
    }
    update();
}

void DlgTabs::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(245, 245, 237));
    p.setPen(QColor(219, 206, 198));
    p.drawLine(width() - 1, 0, width() - 1, height());
}

void DlgTabs::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape)
        return;
    Panel::keyPressEvent(event);
}

} // namespace dalvex::ui
