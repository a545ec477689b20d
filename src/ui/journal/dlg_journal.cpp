#include "journal/dlg_journal.h"

#include "journal/dlg_payment.h"
#include "journal_export.h"
#include "journal/journal_saving.h"
#include "journal_session.h"
#include "journal_table.h"
#include "journal/journal_table_model.h"
#include "orders/dates.h"
#include "window/prompts.h"
#include "widgets/qt_text.h"
#include "printing/report_printer.h"
#include "window/sketch_files.h"
#include "document/ui_context.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace dalvex::ui {

using namespace dalvex::journal;

namespace {

QDateEdit* dateEdit(QDate date, QWidget* parent) {
    auto* d = new QDateEdit(date, parent);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    // A layout squeezes a field down to its least size, which for a date with a calendar button leaves out the
    // button's room and cuts the year: the field keeps the width its date and button need.
    d->setMinimumWidth(d->sizeHint().width());
    return d;
}

QString money(int64_t kopecks) {
    return qs(moneyText(kopecks)) + QStringLiteral(" руб.");
}

QString date(int64_t seconds) {
    return qs(formatLocalDate(seconds));
}

QString dateAndTime(int64_t seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

constexpr int kRowHeight = 22;

// A list of whole rows, one chosen at a time, read only.
void makeRowList(QTableView* t) {
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(kRowHeight);
    t->horizontalHeader()->setStretchLastSection(true);
}

enum VersionColumn { kVersionSaved, kVersionTotal, kVersionDesk, kVersionFile, kVersionColumnCount };

Journal* journalOf(const UiContext& ctx) {
    return ctx.journal ? ctx.journal->journal() : nullptr;
}

} // namespace

DlgJournal::DlgJournal(UiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setWindowTitle(QStringLiteral("Журнал заказов"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(1100, 640);

    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("Поиск: номер, ФИО, телефон или адрес"));
    search_->setClearButtonEnabled(true);
    statusFilter_ = new QComboBox(this);
    statusFilter_->addItem(QStringLiteral("Все статусы"), -1);
    for (int s = 0; s < kStatusCount; ++s)
        statusFilter_->addItem(qs(statusName(static_cast<OrderStatus>(s))), s);
    period_ = new QCheckBox(QStringLiteral("Оформлены с"), this);
    const QDate today = QDate::currentDate();
    from_ = dateEdit(today.addMonths(-1), this);
    to_ = dateEdit(today, this);
    auto* filters = new QHBoxLayout;
    filters->addWidget(search_, 1);
    filters->addWidget(statusFilter_);
    filters->addSpacing(12);
    filters->addWidget(period_);
    filters->addWidget(from_);
    filters->addWidget(new QLabel(QStringLiteral("по"), this));
    filters->addWidget(to_);

    model_ = new JournalTableModel(this);
    table_ = new QTableView(this);
    table_->setModel(model_);
    makeRowList(table_);
    table_->setAlternatingRowColors(true);
    const int widths[kJournalColumnCount] = {80, 85, 240, 140, 100, 100, 100, 120, 85};
    for (int c = 0; c < kJournalColumnCount; ++c)
        table_->setColumnWidth(c, widths[c]);

    summary_ = new QLabel(this);
    details_ = new QLabel(this);
    details_->setWordWrap(true);
    details_->setTextFormat(Qt::RichText);
    details_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    details_->setMinimumHeight(70);

    // The order's versions, newest first: any of them opens as the order.
    versions_ = new QTableWidget(0, kVersionColumnCount, this);
    versions_->setObjectName(QStringLiteral("versions"));
    versions_->setHorizontalHeaderLabels({QStringLiteral("Сохранено"), QStringLiteral("Сумма"),
                                          QStringLiteral("Рабочее место"), QStringLiteral("Файл")});
    makeRowList(versions_);
    versions_->setColumnWidth(kVersionSaved, 130);
    versions_->setColumnWidth(kVersionTotal, 120);
    versions_->setColumnWidth(kVersionDesk, 120);
    versions_->setMaximumHeight(versions_->horizontalHeader()->sizeHint().height() + 4 * kRowHeight + 4);
    openVersion_ = new QPushButton(QStringLiteral("Открыть версию"), this);
    openVersion_->setObjectName(QStringLiteral("openVersion"));
    auto* versionsRow = new QHBoxLayout;
    versionsRow->addWidget(versions_, 1);
    versionsRow->addWidget(openVersion_, 0, Qt::AlignTop);

    open_ = new QPushButton(QStringLiteral("Открыть"), this);
    status_ = new QComboBox(this);
    for (int s = 0; s < kStatusCount; ++s)
        status_->addItem(qs(statusName(static_cast<OrderStatus>(s))), s);
    pay_ = new QPushButton(QStringLiteral("Оплата…"), this);
    auto* exportButton = new QPushButton(QStringLiteral("Сохранить в xml"), this);
    auto* printButton = new QPushButton(QStringLiteral("Печать"), this);
    auto* actions = new QHBoxLayout;
    actions->addWidget(open_);
    actions->addSpacing(12);
    actions->addWidget(new QLabel(QStringLiteral("Статус:"), this));
    actions->addWidget(status_);
    actions->addWidget(pay_);
    actions->addStretch(1);
    actions->addWidget(exportButton);
    actions->addWidget(printButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    layout->addWidget(details_);
    layout->addLayout(versionsRow);
    layout->addLayout(actions);

    // The list follows the typing once it pauses, and every filter at once.
    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(kSearchDelayMs);
    connect(typing_, &QTimer::timeout, this, &DlgJournal::refresh);
    connect(search_, &QLineEdit::textChanged, typing_, qOverload<>(&QTimer::start));
    connect(statusFilter_, &QComboBox::currentIndexChanged, this, &DlgJournal::refresh);
    connect(period_, &QCheckBox::toggled, this, &DlgJournal::refresh);
    connect(from_, &QDateEdit::dateChanged, this, [this] {
        if (period_->isChecked()) refresh();
    });
    connect(to_, &QDateEdit::dateChanged, this, [this] {
        if (period_->isChecked()) refresh();
    });
    connect(table_, &QTableView::doubleClicked, this, [this] { openSelected(); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DlgJournal::showSelected);
    connect(open_, &QPushButton::clicked, this, &DlgJournal::openSelected);
    connect(versions_, &QTableWidget::cellDoubleClicked, this, [this] { openSelectedVersion(); });
    connect(versions_, &QTableWidget::itemSelectionChanged, this,
            [this] { openVersion_->setEnabled(!versions_->selectedItems().isEmpty()); });
    connect(openVersion_, &QPushButton::clicked, this, &DlgJournal::openSelectedVersion);
    connect(status_, &QComboBox::activated, this, [this](int index) {
        setSelectedStatus(static_cast<OrderStatus>(status_->itemData(index).toInt()));
    });
    connect(pay_, &QPushButton::clicked, this, &DlgJournal::addPayment);
    connect(exportButton, &QPushButton::clicked, this, &DlgJournal::exportRows);
    connect(printButton, &QPushButton::clicked, this, &DlgJournal::printRows);
    refresh();
}

JournalQuery DlgJournal::currentQuery() const {
    JournalQuery q;
    q.text = search_->text().toStdString();
    const int status = statusFilter_->currentData().toInt();
    if (status >= 0) q.statuses.push_back(static_cast<OrderStatus>(status));
    if (period_->isChecked()) {
        q.from = QDateTime(from_->date(), QTime(0, 0)).toSecsSinceEpoch();
        q.to = QDateTime(to_->date(), QTime(23, 59, 59)).toSecsSinceEpoch();
    }
    return q;
}

void DlgJournal::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && ctx_.journal &&
        ctx_.journal->recordedInRun() != recordsShown_)
        refresh();
}

void DlgJournal::refresh() {
    typing_->stop();
    if (ctx_.journal) recordsShown_ = ctx_.journal->recordedInRun();
    const int64_t selected = selectedNumber();
    if (failed(model_->setQuery(journalOf(ctx_), currentQuery()))) return;
    const int64_t total = model_->total();
    summary_->setText(total > JournalTableModel::kCountLimit
                          ? QStringLiteral("Найдено заказов: более %1").arg(JournalTableModel::kCountLimit)
                          : QStringLiteral("Найдено заказов: %1").arg(total));
    if (selected != 0) selectNumber(selected);
    showSelected();
}

bool DlgJournal::failed(const JournalStatus& status) {
    if (status) return false;
    const bool off = ctx_.journal && ctx_.journal->noteFailure(status);
    const std::string message = off                                   ? ctx_.journal->offMessage()
                                : status.code == JournalErrc::Stale ? status.message
                                                                    : "Журнал заказов: " + status.message;
    prompts().error(this, qs(message), QStringLiteral("Ошибка"));
    if (off) close();
    return true;
}

int64_t DlgJournal::selectedNumber() const {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty()) return 0;
    const OrderSummary* o = model_->order(rows.constFirst().row());
    return o ? o->number : 0;
}

void DlgJournal::selectNumber(int64_t number) {
    const int row = model_->rowOf(number);
    if (row >= 0)
        table_->selectRow(row);
    else
        table_->clearSelection();
}

void DlgJournal::showSelected() {
    const int64_t number = selectedNumber();
    open_->setEnabled(number != 0);
    status_->setEnabled(number != 0);
    pay_->setEnabled(number != 0);
    Journal* journal = journalOf(ctx_);
    if (number == 0 || !journal) {
        details_->setText(QStringLiteral("Выберите заказ: двойной щелчок открывает его."));
        showVersions({});
        return;
    }
    const Outcome<OrderDetails> d = journal->order(number);
    if (failed(d.status())) return;
    showVersions(d->versions);
    const OrderSummary& o = d->summary;
    showing_ = true;
    status_->setCurrentIndex(static_cast<int>(o.status));
    showing_ = false;
    QStringList statuses;
    for (const StatusChange& s : d->statuses)
        statuses << qs(statusName(s.status)) + QLatin1Char(' ') + date(s.at);
    QStringList payments;
    for (const Payment& p : d->payments)
        payments << date(p.paidOn) + QLatin1Char(' ') + money(p.amount) +
                        (p.note.empty()
                             ? QString()
                             : QStringLiteral(" (") + qs(p.note).toHtmlEscaped() + QLatin1Char(')'));
    details_->setText(
        QStringLiteral("<b>Заказ %1</b> · %2 · версий: %3, последняя — %4<br>"
                       "Сумма %5 · оплачено %6 · <b>остаток %7</b><br>Статусы: %8<br>Оплаты: %9")
            .arg(qs(o.numberText).toHtmlEscaped(), qs(o.customer).toHtmlEscaped())
            .arg(d->versions.size())
            .arg(qs(d->latest.filePath).toHtmlEscaped(), money(o.grandTotal), money(o.paid),
                 money(o.outstanding()), statuses.join(QStringLiteral(", ")),
                 payments.isEmpty() ? QStringLiteral("нет") : payments.join(QStringLiteral(", "))));
}

void DlgJournal::showVersions(const std::vector<VersionInfo>& versions) {
    versions_->setRowCount(0);
    versions_->setRowCount(static_cast<int>(versions.size()));
    bool desks = false;
    int row = 0;
    for (auto v = versions.rbegin(); v != versions.rend(); ++v, ++row) {
        const QString cells[kVersionColumnCount] = {dateAndTime(v->savedAt), money(v->grandTotal), qs(v->desk),
                                                    qs(v->filePath)};
        for (int c = 0; c < kVersionColumnCount; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(v->id));
            if (c == kVersionTotal) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            versions_->setItem(row, c, item);
        }
        desks = desks || !v->desk.empty();
    }
    // A desk's own journal names no desks.
    versions_->setColumnHidden(kVersionDesk, !desks);
    openVersion_->setEnabled(false);
}

void DlgJournal::openSelectedVersion() {
    const int64_t number = selectedNumber();
    const QList<QTableWidgetItem*> chosen = versions_->selectedItems();
    if (number == 0 || chosen.isEmpty() || !settleUnsavedChanges(ctx_, this)) return;
    const int64_t version = chosen.constFirst()->data(Qt::UserRole).toLongLong();
    if (openJournalOrder(ctx_, this, number, version) && parentWidget()) parentWidget()->activateWindow();
}

void DlgJournal::openSelected() {
    const int64_t number = selectedNumber();
    if (number == 0 || !settleUnsavedChanges(ctx_, this)) return;
    if (openJournalOrder(ctx_, this, number) && parentWidget()) parentWidget()->activateWindow();
}

void DlgJournal::setSelectedStatus(OrderStatus status) {
    const int64_t number = selectedNumber();
    Journal* journal = journalOf(ctx_);
    const OrderSummary* o = model_->order(model_->rowOf(number));
    if (showing_ || !o || !journal) return;
    // Refused when another desk changed the order since the list was read; the list then shows it anew.
    const JournalStatus s = journal->setStatus(number, status, QDateTime::currentSecsSinceEpoch(), o->rowVersion);
    if (failed(s) && s.code != JournalErrc::Stale) return;
    refresh();
}

void DlgJournal::addPayment() {
    const int64_t number = selectedNumber();
    Journal* journal = journalOf(ctx_);
    const OrderSummary* o = model_->order(model_->rowOf(number));
    if (!o || !journal) return;
    const int64_t seen = o->rowVersion;
    DlgPayment dialog(qs(o->numberText), o->outstanding(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const JournalStatus s = journal->addPayment(number, *dialog.payment(), seen);
    if (failed(s) && s.code != JournalErrc::Stale) return;
    refresh();
}

std::vector<OrderSummary> DlgJournal::allRows() {
    Journal* journal = journalOf(ctx_);
    if (!journal) return {};
    const Outcome<std::vector<OrderSummary>> rows = journal->find(model_->query());
    if (failed(rows.status())) return {};
    return *rows;
}

void DlgJournal::exportRows() {
    const QString path = prompts().savePath(this, QStringLiteral("Книга XML Spreadsheet 2003 (*.xml)"),
                                            QStringLiteral("xml"), QStringLiteral("журнал заказов"));
    if (path.isEmpty()) return;
    if (!writeJournalWorkbook(toPath(path), allRows()))
        prompts().error(this, QStringLiteral("Ошибка сохранения файла ") + path, QStringLiteral("Ошибка"));
}

void DlgJournal::printRows() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Журнал заказов"));
    if (!printDialogPrompt()(printer, this)) return;
    QString heading =
        QStringLiteral("Журнал заказов, ") + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    if (!search_->text().trimmed().isEmpty())
        heading += QStringLiteral(" · поиск «%1»").arg(search_->text().trimmed());
    if (statusFilter_->currentIndex() > 0) heading += QStringLiteral(" · ") + statusFilter_->currentText();
    const PrintStatus status = printJournalList(printer, journalTable(allRows()), heading);
    if (status != PrintStatus::Ok)
        prompts().error(this, printStatusMessage(status), QStringLiteral("Ошибка"));
}

} // namespace dalvex::ui
