#include "panels/dlg_order.h"

#include "document/order_document.h"

#include "widgets/dialog_units.h"
#include "orders/order_numbers.h"
#include "project/project.h"
#include "window/prompts.h"
#include "widgets/qt_text.h"
#include "window/sketch_files.h"
#include "text/format.h"
#include "text/numbers.h"
#include "widgets/picture_button.h"
#include "widgets/text_label.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QDateTime>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace dalvex::ui {
namespace {

constexpr int kCardTextLimit = 254;

QRect units(int x, int y, int w, int h) {
    return {dluX(x), dluY(y), dluX(w), dluY(h)};
}

TextLabel* addLabel(const QString& text, QRect at, QWidget* parent) {
    auto* l = new TextLabel(text, parent);
    l->setTextFont(labelFont());
    l->setGeometry(at.x(), at.y(), std::max(at.width(), 10), at.height() + 4);
    return l;
}

QLineEdit* addEdit(QRect at, bool digitsOnly, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setGeometry(at);
    if (digitsOnly) e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
    return e;
}

QDateEdit* addDate(QRect at, QWidget* parent) {
    auto* d = new QDateEdit(parent);
    d->setGeometry(at);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    // Month and day names in Russian, whatever the system's locale.
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    d->setLocale(russian);
    d->calendarWidget()->setLocale(russian);
    return d;
}

QDate localDate(int64_t seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds).date();
}

// Keeps the time of day of the stored moment and replaces its date.
int64_t withDate(int64_t seconds, QDate date) {
    QDateTime moment = QDateTime::fromSecsSinceEpoch(seconds);
    moment.setDate(date);
    return moment.toSecsSinceEpoch();
}

} // namespace

DlgOrder::DlgOrder(const UiContext& context, QWidget* parent) : Panel(context, parent) {
    addLabel(QStringLiteral("Номер заказа"), units(6, 7, 90, 8), this);
    number_ = addEdit(units(6, 16, 60, 14), true, this);
    auto* fresh = new PictureButton(this);
    fresh->setGeometry(units(98, 12, 79, 19));
    fresh->setCaptionFont(ctx_.buttonFont);
    fresh->setCaption(QStringLiteral("Новый заказ"), PictureButton::CaptionPlacement::Right);
    connect(fresh, &QAbstractButton::clicked, this, [this] { newOrder(); });
    addLabel(QStringLiteral("ФИО"), units(6, 34, 171, 8), this);
    name_ = addEdit(units(6, 43, 171, 13), false, this);
    addLabel(QStringLiteral("Адрес"), units(6, 61, 171, 8), this);
    address_ = addEdit(units(6, 70, 171, 13), false, this);
    addLabel(QStringLiteral("Телефон"), units(6, 89, 171, 8), this);
    phone_ = addEdit(units(6, 98, 171, 13), false, this);
    addLabel(QStringLiteral("Стоимость сборки, руб."), units(6, 116, 171, 8), this);
    assembly_ = addEdit(units(6, 125, 171, 13), true, this);
    addLabel(QStringLiteral("Стоимость доставки, руб."), units(6, 142, 171, 8), this);
    delivery_ = addEdit(units(6, 151, 171, 13), true, this);
    addLabel(QStringLiteral("Дата оформления"), units(6, 166, 81, 8), this);
    orderDate_ = addDate(units(6, 177, 171, 15), this);
    addLabel(QStringLiteral("Дата готовности"), units(6, 196, 82, 8), this);
    readyDate_ = addDate(units(6, 206, 171, 15), this);
    save_ = new PictureButton(this);
    save_->setGeometry(units(6, 231, 171, 27));
    save_->setPicture(ctx_.artwork.picture(kPictureSave));
    save_->setCaptionFont(ctx_.buttonFont);
    save_->setCaption(QStringLiteral("Сохранить заказ"), PictureButton::CaptionPlacement::Right);
    connect(save_, &QAbstractButton::clicked, this, [this] { saveOrder(); });
    // The card's own heading stays hidden: its place beside the order table names the panel.
    addLabel(QStringLiteral("Карточка клиента:"), units(6, 265, 86, 8), this)->hide();

    auto copyText = [this](QLineEdit* edit, std::string OrderCard::*field) {
        connect(edit, &QLineEdit::textChanged, this, [this, edit, field](const QString& t) {
            if (refreshing_) return;
            OrderCard card = ctx_.project.orderCard;
            card.*field = t.toStdString();
            change(card, edit);
        });
    };
    // The names tell the typings in the edits apart in the history; leaving an edit ends its typing.
    const std::pair<QLineEdit*, const char*> named[] = {{number_, "number"},     {name_, "name"},
                                                        {address_, "address"},   {phone_, "phone"},
                                                        {assembly_, "assembly"}, {delivery_, "delivery"}};
    for (const auto& [edit, name] : named) {
        edit->setObjectName(QString::fromLatin1(name));
        connect(edit, &QLineEdit::editingFinished, this, [this] { typing_.end(); });
    }
    // A sketch file reads back at most 254 characters of a text: the card takes no more than it can keep.
    for (QLineEdit* e : {number_, name_, address_, phone_})
        e->setMaxLength(kCardTextLimit);
    copyText(number_, &OrderCard::orderNumber);
    copyText(name_, &OrderCard::customerName);
    copyText(address_, &OrderCard::address);
    copyText(phone_, &OrderCard::phone);
    connect(assembly_, &QLineEdit::textChanged, this,
            [this] { costEdited(assembly_, &OrderCard::assemblyCost); });
    connect(delivery_, &QLineEdit::textChanged, this,
            [this] { costEdited(delivery_, &OrderCard::deliveryCost); });
    auto copyDate = [this](QDateEdit* edit, int64_t OrderCard::*field) {
        connect(edit, &QDateEdit::dateChanged, this, [this, field](QDate d) {
            if (refreshing_) return;
            OrderCard card = ctx_.project.orderCard;
            card.*field = withDate(card.*field, d);
            change(card);
        });
    };
    copyDate(orderDate_, &OrderCard::orderDate);
    copyDate(readyDate_, &OrderCard::readyDate);
    refresh();
    // The card as the order has it now, after an undo, a renumbering claim, a new order or an opened file.
    connect(ctx_.document, &OrderDocument::cardChanged, this, [this] {
        if (!typing_.applying()) refresh();
    });
}

void DlgOrder::refresh() {
    const OrderCard& card = ctx_.project.orderCard;
    refreshing_ = true;
    number_->setText(qs(card.orderNumber));
    name_->setText(qs(card.customerName));
    address_->setText(qs(card.address));
    phone_->setText(qs(card.phone));
    // A zero cost shows as an empty edit, as the cost rule leaves it.
    assembly_->setText(card.assemblyCost > 0 ? qs(format("%d", card.assemblyCost)) : QString());
    delivery_->setText(card.deliveryCost > 0 ? qs(format("%d", card.deliveryCost)) : QString());
    orderDate_->setDate(localDate(card.orderDate));
    readyDate_->setDate(localDate(card.readyDate));
    refreshing_ = false;
}

void DlgOrder::costEdited(QLineEdit* edit, int32_t OrderCard::*field) {
    if (refreshing_) return;
    OrderCard card = ctx_.project.orderCard;
    int32_t& value = card.*field;
    const QString t = edit->text();
    if (t.isEmpty()) {
        if (value >= 1) value = 0;
    } else {
        const int32_t x = readInt(t.toStdString());
        if (x <= kMaxExtraCharge) value = x; // a sixth digit is refused and the old value comes back
    }
    const QString shown = qs(format("%d", value));
    refreshing_ = true;
    if (shown.size() != t.size() && value > 0)
        edit->setText(shown);
    else if (value == 0 && !t.isEmpty())
        edit->clear();
    refreshing_ = false;
    change(card, edit);
}

void DlgOrder::change(const OrderCard& card, const QLineEdit* typedIn) {
    typing_.apply(ctx_.editor, edit::SetOrderCard{card}, typedIn);
}

void DlgOrder::newOrder() {
    if (!settleUnsavedChanges(ctx_, this)) return;
    ctx_.document->newOrder();
}

void DlgOrder::copyControlsToCard() {
    OrderCard card = ctx_.project.orderCard;
    card.customerName = name_->text().toStdString();
    card.address = address_->text().toStdString();
    card.phone = phone_->text().toStdString();
    card.orderDate = withDate(card.orderDate, orderDate_->date());
    card.readyDate = withDate(card.readyDate, readyDate_->date());
    change(card);
}

void DlgOrder::saveOrder() {
    copyControlsToCard();
    // The number is taken before the file name is asked for, so the name offered is the order's number.
    ctx_.editor.apply(edit::ClaimOrderNumber{});
    const QString path = prompts().savePath(this, sketchFilter(), QStringLiteral("dlx"),
                                            qs(ctx_.project.orderCard.orderNumber));
    if (path.isEmpty() || !saveSketchFile(ctx_, this, path)) {
        ctx_.editor.releaseOrderNumber();
        return;
    }
    if (openPrint_) openPrint_();
}

void DlgOrder::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape never close the panel; the focus goes back to the main window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        window()->setFocus();
        return;
    }
    Panel::keyPressEvent(event);
}

void DlgOrder::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBackground(p);
    p.setPen(QColor(214, 197, 181));
    p.drawLine(0, 0, 0, height());
}

} // namespace dalvex::ui
