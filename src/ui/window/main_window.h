#pragma once
// The main window: a frame that creates the panels, lays them out, switches between the sketch editor and the
// four result tables, and passes on what only the windows know (hover, clicks, locking, tabs). What changes
// in the order the panels hear from the document they connect to.
#include "document/notifications.h"
#include "project/project_editor.h"
#include "printing/report_printer.h"
#include "document/ui_context.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

namespace dalvex::ui {

class DlgCutPlan;
class DlgJournal;
class DlgOrder;
class OrderDocument;
class DlgTable;
class DlgTabs;
class DraftDlg;
class InfoPanelDlg;
class RightPanelDlg;
class OpenFiles;
class RecoveryKeeper;
class SumDlg;
class TopPanelDlg;

// CDalvexDlg: the main window.
class CDalvexDlg : public QWidget, public NotificationHub {
    Q_OBJECT
public:
    // The top panel and the totals panel side by side; the top panel and the six tabs under it. A laptop's
    // 1366 x 768 or 1280 x 720 screen holds the window with its title bar and the task bar.
    static constexpr int kMinWidth = 1204;
    static constexpr int kMinHeight = 704;

    // The size the window opens at on a screen whose free area (less the task bar) is `available`: the size
    // the panels were drawn for where it fits with the window's frame, else as much as fits, never less than
    // the least size.
    static QSize startSize(const QSize& available);

    // `recoveryFolder` empty: the user's application state folder. `journal`: the order journal the program
    // keeps (its saves are recorded there and its numbers taken through it); nullptr: none.
    CDalvexDlg(Project& project, const Artwork& artwork, const QString& recoveryFolder = {},
               journal::JournalSession* journal = nullptr);
    ~CDalvexDlg() override;

    // Passes a notification on, synchronously, to the panels it concerns.
    void notify(Notification n) override;

    TopPanelDlg* topPanel() const { return top_; }
    SumDlg* sumPanel() const { return sum_; }
    RightPanelDlg* rightPanel() const { return right_; }
    DlgTabs* tabBar() const { return tabs_; }
    InfoPanelDlg* infoPanel() const { return info_; }
    DraftDlg* draftView() const { return draft_; }
    DlgTable* table(int kind) const { return tables_[static_cast<size_t>(kind)]; }
    DlgOrder* orderPanel() const { return order_; }
    OrderDocument* document() const { return document_; }
    DlgCutPlan* cutPlanView() const { return cutPlan_; }
    QWidget* logo() const { return logo_; }
    // One order in one window: the file open here is known to the other running programs through `files`,
    // and one given it brings this window forward.
    void shareOpenFiles(OpenFiles& files);
    RecoveryKeeper* recovery() const { return recovery_; }
    // The program starts: an order left by a crash is offered first (unless `offerRecovery` is false);
    // otherwise the file named on the command line (if any) is opened, a file that cannot be opened leaving
    // the default project after the message.
    void start(const QString& file, bool offerRecovery = true);
    bool minimiseButtonShown() const;
    // "Журнал заказов" (the top panel's button, Ctrl+J); a journal that is off says why instead.
    void showJournal();
    DlgJournal* journalWindow() const { return journalWindow_; }
    // Prints the chosen reports from the result tables and the sketch view, after the print dialog.
    void printReports(ReportChoice chosen);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void layoutPanels();
    void showTab(int tab);
    void setMinimiseButton(bool shown);
    // Tab goes through the controls as they are read: the top strip left to right, the totals, the left
    // tabs, the sketch, the right panel.
    void orderTabs();
    // The keyboard goes back to the control that had it before a dialog, never to the first edit that
    // happens to take it when the panels are locked or the window is activated again.
    void restoreFocus();

    ProjectEditor editor_;
    SketchScreen screen_;
    UiContext ctx_;
    OrderDocument* document_ = nullptr;
    TopPanelDlg* top_ = nullptr;
    SumDlg* sum_ = nullptr;
    QWidget* logo_ = nullptr;
    RightPanelDlg* right_ = nullptr;
    DlgTabs* tabs_ = nullptr;
    InfoPanelDlg* info_ = nullptr;
    DraftDlg* draft_ = nullptr;
    std::array<DlgTable*, 4> tables_{};
    DlgOrder* order_ = nullptr;
    DlgCutPlan* cutPlan_ = nullptr;
    RecoveryKeeper* recovery_ = nullptr;
    DlgJournal* journalWindow_ = nullptr;
    QPointer<QWidget> keptFocus_;
    bool locked_ = false;
};

} // namespace dalvex::ui
