#pragma once
// The journal's list for a table view, read a page at a time as the view scrolls: a journal of a hundred
// thousand orders opens as fast as one of ten.
#include "journal.h"

#include <QAbstractTableModel>

#include <vector>

namespace dalvex::ui {

// JournalTableModel: the rows of the journal window's list, read a page at a time.
class JournalTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kPageRows = 200;
    // The count stops here: a search that finds more shows "more than".
    static constexpr int64_t kCountLimit = 10000;
    // The order's number (int64) of a row.
    static constexpr int kNumberRole = Qt::UserRole + 1;

    explicit JournalTableModel(QObject* parent = nullptr);

    // Shows what the query finds, its first page read at once; the journal stays the caller's. Answers the
    // journal's status (a failure leaves the list empty).
    journal::JournalStatus setQuery(journal::Journal* journal, const journal::JournalQuery& query);
    // Reads the query again (after a status or a payment changed).
    journal::JournalStatus reload();
    const journal::JournalQuery& query() const { return query_; }
    // How many orders the query finds in all (the rows read so far may be fewer); counted up to
    // kCountLimit + 1, which stands for "more than kCountLimit".
    int64_t total() const { return total_; }
    const journal::OrderSummary* order(int row) const;
    // The row showing the order, among those read; -1 when none.
    int rowOf(int64_t number) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    journal::Journal* journal_ = nullptr;
    journal::JournalQuery query_;
    int64_t total_ = 0;
    bool exhausted_ = true; // the last page read was not full: there is nothing more
    std::vector<journal::OrderSummary> rows_;
};

} // namespace dalvex::ui
