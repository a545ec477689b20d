#include "journal/dlg_payment.h"

#include "journal_export.h"
#include "widgets/qt_text.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalvex::ui {

DlgPayment::DlgPayment(const QString& order, int64_t outstanding, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Оплата заказа ") + order);
    // Wide enough for the whole title beside the title bar's icon and close button, which a window manager
    // would otherwise cut to "Оплата з…".
    setMinimumWidth(QFontMetrics(QApplication::font()).horizontalAdvance(windowTitle()) * 3 / 2 + 120);
    amount_ = new QLineEdit(this);
    amount_->setText(outstanding > 0 ? qs(journal::moneyText(outstanding)) : QString());
    amount_->selectAll();
    date_ = new QDateEdit(QDate::currentDate(), this);
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    note_ = new QComboBox(this);
    note_->setEditable(true);
    note_->addItems(
        {QStringLiteral("Предоплата"), QStringLiteral("Доплата"), QStringLiteral("Полная оплата")});
    problem_ = new QLabel(this);
    problem_->setStyleSheet(QStringLiteral("color: rgb(173, 41, 41)"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Сумма, руб.:"), amount_);
    form->addRow(QStringLiteral("Дата:"), date_);
    form->addRow(QStringLiteral("Примечание:"), note_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
}

std::optional<journal::Payment> DlgPayment::payment() const {
    const std::optional<int64_t> kopecks = journal::kopecksFromText(amount_->text().toStdString());
    if (!kopecks || *kopecks == 0) return std::nullopt;
    // Noon of the chosen day: the same day wherever the time zone moves it.
    const QDateTime noon(date_->date(), QTime(12, 0));
    return journal::Payment{*kopecks, noon.toSecsSinceEpoch(), note_->currentText().toStdString(), {}};
}

void DlgPayment::accept() {
    if (!payment()) {
        problem_->setText(QStringLiteral("Введите сумму в рублях, например 1500 или 1500,50"));
        amount_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace dalvex::ui
