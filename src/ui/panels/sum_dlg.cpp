#include "panels/sum_dlg.h"

#include "widgets/dialog_units.h"
#include "document/order_document.h"
#include "project/project.h"
#include "widgets/qt_text.h"
#include "text/format.h"
#include "text/numbers.h"
#include "widgets/text_label.h"

#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace dalvex::ui {
namespace {

TextLabel* smallLabel(const QString& text, QPoint at, QWidget* parent) {
    auto* l = new TextLabel(text, parent);
    l->setTextFont(labelFont());
    l->adjustToText();
    l->move(at);
    return l;
}

QString percentText(double percent) {
    return qs(format("%d", truncToInt(percent)));
}

} // namespace

SumDlg::SumDlg(const UiContext& context, QWidget* parent) : Panel(context, parent) {
    smallLabel(QStringLiteral("Скидка"), {40, 20}, this);
    smallLabel(QStringLiteral("%"), {140, 20}, this);
    smallLabel(QStringLiteral("Сумма"), {40, 50}, this);
    discount_ = new QLineEdit(this);
    discount_->setGeometry(dluX(57), dluY(9), dluX(34), dluY(14));
    discount_->setObjectName(QStringLiteral("discount")); // names its typings in the history
    // Digits, and a decimal comma so that a pasted fraction can be read and cut to its whole part.
    discount_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*([,.][0-9]*)?"), discount_));
    connect(discount_, &QLineEdit::textChanged, this, [this] { discountEdited(); });
    total_ = new TextLabel(QString(), this);
    QFont totalFont("Arial");
    totalFont.setPixelSize(20);
    totalFont.setBold(true);
    total_->setTextFont(totalFont);
    total_->setTextColor(QColor(173, 41, 41));
    resize(kWidth, 121);
    reloadDiscount();
    showTotal();
    connect(ctx_.document, &OrderDocument::totalsChanged, this, &SumDlg::showTotal);
    connect(ctx_.document, &OrderDocument::discountChanged, this, [this] {
        if (!typing_.applying()) reloadDiscount();
    });
    // Leaving the edit ends a typing: the next one is a step of its own.
    connect(discount_, &QLineEdit::editingFinished, this, [this] { typing_.end(); });
}

QString SumDlg::totalText() const {
    return total_->text();
}

void SumDlg::reloadDiscount() {
    settingText_ = true;
    discount_->setText(percentText(ctx_.project.discountPercent));
    settingText_ = false;
}

void SumDlg::discountEdited() {
    if (settingText_) return;
    const QString text = discount_->text();
    typing_.apply(ctx_.editor, edit::SetDiscount{readNumber(text.toStdString())}, discount_);
    // What stays in the edit is always the whole part of the discount in force: a refused value snaps back.
    const QString shown = percentText(ctx_.project.discountPercent);
    if (discount_->text() != shown) {
        settingText_ = true;
        discount_->setText(shown);
        settingText_ = false;
    }
}

void SumDlg::showTotal() {
    total_->setText(qs(ctx_.project.grandTotalText()));
}

void SumDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBackground(p);
    p.setPen(QColor(214, 197, 181));
    p.drawLine(0, 0, 0, height());
}

void SumDlg::resizeEvent(QResizeEvent*) {
    total_->setGeometry(50, 80, width() - 60, std::max(0, height() - 90));
}

} // namespace dalvex::ui
