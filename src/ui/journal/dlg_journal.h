#pragma once
// "Журнал заказов": every recorded order, found as the user types and filtered by status and date; an order
// opened with a double-click, any of its versions opened from their list, its status changed, a payment added;
// the rows shown exported to a workbook or printed.
#include "journal_result.h"
#include "journal_types.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class QTimer;

namespace dalvex::ui {

class JournalTableModel;
struct UiContext;

// DlgJournal: the "Журнал заказов" window.
class DlgJournal : public QDialog {
    Q_OBJECT
public:
    // How long typing pauses before the list follows it.
    static constexpr int kSearchDelayMs = 150;

    DlgJournal(UiContext& ctx, QWidget* parent);

    // The list read again from the journal, with the current search and filters.
    void refresh();
    // The order of the selected row; 0 when none is selected.
    int64_t selectedNumber() const;
    void selectNumber(int64_t number);

    // The actions of the window's buttons, for the selected order.
    void openSelected();
    // The version chosen in the order's list of versions.
    void openSelectedVersion();
    void setSelectedStatus(journal::OrderStatus status);
    void addPayment();
    // The rows the search and filters find, all of them.
    void exportRows();
    void printRows();

    QLineEdit* searchEdit() const { return search_; }
    QComboBox* statusFilter() const { return statusFilter_; }
    QCheckBox* periodBox() const { return period_; }
    QDateEdit* fromEdit() const { return from_; }
    QDateEdit* toEdit() const { return to_; }
    QTableView* table() const { return table_; }
    JournalTableModel* model() const { return model_; }
    QComboBox* statusBox() const { return status_; }
    QLabel* details() const { return details_; }
    QLabel* summary() const { return summary_; }

protected:
    // Back to the window after a save in the main window: the list shows the new save.
    void changeEvent(QEvent* event) override;

private:
    journal::JournalQuery currentQuery() const;
    void showSelected();
    void showVersions(const std::vector<journal::VersionInfo>& versions);
    // A failure of the journal: said, and a damaged journal switched off and the window closed.
    bool failed(const journal::JournalStatus& status);
    std::vector<journal::OrderSummary> allRows();

    UiContext& ctx_;
    JournalTableModel* model_;
    QLineEdit* search_;
    QComboBox* statusFilter_;
    QCheckBox* period_;
    QDateEdit* from_;
    QDateEdit* to_;
    QTableView* table_;
    QLabel* summary_;
    QLabel* details_;
    QComboBox* status_;
    QTableWidget* versions_;
    QPushButton* openVersion_;
    QPushButton* open_;
    QPushButton* pay_;
    QTimer* typing_;
    bool showing_ = false;
    int recordsShown_ = 0; // the session's recordedInRun() when the list was read
};

} // namespace dalvex::ui
