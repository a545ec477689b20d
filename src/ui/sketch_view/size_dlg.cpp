#include "sketch_view/size_dlg.h"

#include "art/button_icons.h"
#include "widgets/dialog_units.h"
#include "document/order_document.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "widgets/qt_text.h"
#include "sketch/sketch_units.h"
#include "text/millimetres.h"
#include "text/numbers.h"
#include "widgets/picture_button.h"
#include "widgets/text_label.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

namespace dalvex::ui {

namespace {

QRect units(int x, int y, int w, int h) {
    return {dluX(x), dluY(y), dluX(w), dluY(h)};
}

TextLabel* makeLabel(QWidget* parent, QRect geometry) {
    auto* label = new TextLabel(QString(), parent);
    label->setTextFont(labelFont());
    label->setTextColor(QColor(76, 76, 76));
    label->setGeometry(geometry);
    return label;
}

} // namespace

SizeDlg::SizeDlg(const UiContext& context, QWidget* parent)
    : ToolDialog(context.hub, parent, Qt::Tool | Qt::FramelessWindowHint), ctx_(context) {
    setFixedSize(dluX(148), dluY(46));
    name_ = makeLabel(this, units(4, 3, 38, 8));
    side_ = new QComboBox(this);
    side_->setGeometry(dluX(42), dluY(3), dluX(54), dluY(12));
    insert_ = makeLabel(this, units(105, 3, 42, 8));
    range_ = makeLabel(this, units(4, 15, 143, 8));
    panel_ = makeLabel(this, units(80, 15, 67, 8));
    edit_ = new QLineEdit(this);
    edit_->setGeometry(units(4, 27, 89, 15));
    ok_ = new PictureButton(this);
    ok_->setGeometry(units(96, 22, 27, 22));
    ok_->setPicture(tickCrossPicture(true, false, ok_->size()), tickCrossPicture(true, true, ok_->size()));
    ok_->setCaption(QString(), PictureButton::CaptionPlacement::None);
    cancel_ = new PictureButton(this);
    cancel_->setGeometry(units(123, 22, 24, 22));
    cancel_->setPicture(tickCrossPicture(false, false, cancel_->size()),
                        tickCrossPicture(false, true, cancel_->size()));
    cancel_->setCaption(QString(), PictureButton::CaptionPlacement::None);
    connect(ok_, &QAbstractButton::clicked, this, &SizeDlg::accept);
    connect(cancel_, &QAbstractButton::clicked, this, &SizeDlg::reject);
    connect(side_, &QComboBox::currentIndexChanged, this, &SizeDlg::sideChanged);
    connect(edit_, &QLineEdit::textEdited, this, [this] { showRange(false); });
}

void SizeDlg::openFor(int door, int32_t dividerId, QPoint globalPos) {
    const Door* d = ctx_.project.sketch.doorInUse(door);
    const Divider* divider = d ? d->divider(dividerId) : nullptr;
    if (!divider) return;
    door_ = door;
    dividerId_ = dividerId;
    horizontal_ = divider->vertical == 0;
    const auto [before, after] = d->extentsAround(*divider);
    beforeSize_ = before;
    afterSize_ = after;
    sizes_ = insertSizeRange(ctx_.project, door, dividerId);
    move(globalPos);
    if (isVisible()) hide(); // shown afresh, so that the controls take the new divider
    show();
    raise();
    activateWindow();
}

void SizeDlg::showEvent(QShowEvent* event) {
    name_->setText(horizontal_ ? QStringLiteral("Высота") : QStringLiteral("Ширина"));
    insert_->setText(QStringLiteral("вставки"));
    name_->move(10, 7);
    insert_->move(150, 7);
    showRange(false);
    {
        const QSignalBlocker block(side_);
        side_->clear();
        if (horizontal_)
            side_->addItems({QStringLiteral("верхней"), QStringLiteral("нижней")});
        else
            side_->addItems({QStringLiteral("левой"), QStringLiteral("правой")});
        side_->setCurrentIndex(0);
    }
    lockPanels();
    showSide(0);
    edit_->selectAll();
    edit_->setFocus();
    QDialog::showEvent(event);
}

void SizeDlg::hideEvent(QHideEvent* event) {
    // However the dialog goes away, the panels must not stay locked.
    unlockPanels();
    QDialog::hideEvent(event);
}

void SizeDlg::keyPressEvent(QKeyEvent* event) {
    // The buttons are picture buttons, not push buttons, so Enter has no default button to press.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SizeDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawTiledPixmap(rect(), ctx_.artwork.picture(kPicturePanelBack));
    p.setPen(QColor(100, 100, 100));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SizeDlg::sideChanged(int index) {
    showSide(index);
    update();
}

void SizeDlg::showSide(int index) {
    offered_ = millimetresText(index == 1 ? afterSize_ : beforeSize_);
    edit_->setText(offered_);
    const Door* d = ctx_.project.sketch.doorInUse(door_);
    const Divider* divider = d ? d->divider(dividerId_) : nullptr;
    // The sketch writes the filling panel's size, a little less than the insert's.
    panel_->setText(divider ? qs("панель " + wholeMillimetres(d->panelSizeBeside(*divider, index == 1)) + " мм")
                            : QString());
    showRange(false);
}

void SizeDlg::showRange(bool refused) {
    const std::string low = wholeMillimetres(sizes_.low);
    const std::string high = wholeMillimetres(sizes_.high);
    range_->setText(refused ? qs("Введите от " + low + " до " + high + " мм") : qs(low + " - " + high + " мм"));
    range_->setTextColor(refused ? QColor(250, 41, 41) : QColor(76, 76, 76));
    range_->adjustToText();
    range_->move(10, 28);
    panel_->adjustToText();
    panel_->move(width() - panel_->width() - 8, 28);
    panel_->setVisible(!refused);
}

void SizeDlg::accept() {
    if (isVisible() && !apply()) return;
    unlockPanels();
    QDialog::accept();
}

void SizeDlg::reject() {
    unlockPanels();
    QDialog::reject();
}

bool SizeDlg::apply() {
    // The size as offered: the divider stays where it is.
    if (edit_->text().trimmed() == offered_) return true;
    // Not a number reads as 0, which the range refuses.
    const int32_t size = readMillimetres(edit_->text().toStdString()).value_or(0);
    if (!sizes_.holds(size)) {
        showRange(true);
        edit_->selectAll();
        edit_->setFocus();
        return false;
    }
    const bool afterSide = side_->currentIndex() == 1;
    // The editor asks twice when the calculator makes the panel a little off the request.
    ctx_.editor.apply(edit::InsertSize{door_, dividerId_, size, afterSide});
    return true;
}

} // namespace dalvex::ui
