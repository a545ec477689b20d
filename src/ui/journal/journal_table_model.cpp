#include "journal/journal_table_model.h"

#include "journal_table.h"
#include "widgets/qt_text.h"

namespace dalvex::ui {

using namespace dalvex::journal;

JournalTableModel::JournalTableModel(QObject* parent) : QAbstractTableModel(parent) {}

JournalStatus JournalTableModel::setQuery(Journal* journal, const JournalQuery& query) {
    beginResetModel();
    journal_ = journal;
    query_ = query;
    rows_.clear();
    total_ = 0;
    exhausted_ = true;
    JournalStatus status;
    if (journal_) {
        JournalQuery counting = query_;
        counting.limit = kCountLimit + 1;
        const Outcome<int64_t> counted = journal_->count(counting);
        JournalQuery page = query_;
        page.offset = 0;
        page.limit = kPageRows;
        Outcome<std::vector<OrderSummary>> first = journal_->find(page);
        if (!counted)
            status = counted.status();
        else if (!first)
            status = first.status();
        else {
            total_ = *counted;
            rows_ = std::move(first.value());
            exhausted_ = static_cast<int>(rows_.size()) < kPageRows;
        }
    }
    endResetModel();
    return status;
}

JournalStatus JournalTableModel::reload() {
    return setQuery(journal_, query_);
}

const OrderSummary* JournalTableModel::order(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? &rows_[static_cast<size_t>(row)] : nullptr;
}

int JournalTableModel::rowOf(int64_t number) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].number == number) return static_cast<int>(i);
    return -1;
}

int JournalTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int JournalTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kJournalColumnCount;
}

QVariant JournalTableModel::data(const QModelIndex& index, int role) const {
    const OrderSummary* o = order(index.row());
    if (!o) return {};
    switch (role) {
    case Qt::DisplayRole:
        return qs(journalCellText(*o, index.column()));
    case Qt::TextAlignmentRole:
        return isMoneyColumn(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                             : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case kNumberRole:
        return QVariant::fromValue<qlonglong>(o->number);
    default:
        return {};
    }
}

QVariant JournalTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return qs(std::string(journalColumnTitle(section)));
}

bool JournalTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && journal_ && !exhausted_;
}

void JournalTableModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) return;
    JournalQuery page = query_;
    page.offset = static_cast<int64_t>(rows_.size());
    page.limit = kPageRows;
    const Outcome<std::vector<OrderSummary>> more = journal_->find(page);
    exhausted_ = !more || static_cast<int>(more->size()) < kPageRows;
    if (!more || more->empty()) return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(more->size()) - 1);
    rows_.insert(rows_.end(), more->begin(), more->end());
    endInsertRows();
}

} // namespace dalvex::ui
