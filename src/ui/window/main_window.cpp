#include "window/main_window.h"

#include "results/dlg_cut_plan.h"
#include "document/order_document.h"

#include "journal/dlg_journal.h"
#include "panels/dlg_order.h"
#include "dialogs/dlg_print.h"
#include "results/dlg_table.h"
#include "panels/dlg_tabs.h"
#include "sketch_view/draft_dlg.h"
#include "panels/info_panel_dlg.h"
#include "journal_session.h"
#include "window/open_files.h"
#include "project/project.h"
#include "project/project_reports.h"
#include "window/prompts.h"
#include "widgets/qt_text.h"
#include "window/recovery.h"
#include "printing/report_printer.h"
#include "printing/report_sources.h"
#include "panels/right_panel_dlg.h"
#include "window/sketch_files.h"
#include "panels/sum_dlg.h"
#include "panels/top_panel_dlg.h"
#include "widgets/picture_button.h"
#include "widgets/tiled_background.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QShortcut>

#include <functional>
#include <utility>

namespace dalvex::ui {
namespace {

// The program's logo between the top panel and the totals panel, centred in whatever room there is.
class LogoPicture : public QWidget {
public:
    LogoPicture(QPixmap picture, QWidget* parent) : QWidget(parent), picture_(std::move(picture)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        background_.paint(p, size());
        p.setPen(QColor(219, 206, 198));
        p.drawLine(0, height() - 1, width(), height() - 1);
        // The full logo once there is room for it; a narrow strip shows the program's icon alone.
        const QPixmap& picture = width() >= picture_.width() ? picture_ : icon_;
        if (picture.isNull() || width() < 40) return;
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize shown = picture.size().scaled(
            QSize(std::min(width() - 16, picture.width()), std::min(height() - 16, picture.height())),
            Qt::KeepAspectRatio);
        p.drawPixmap(QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown),
                     picture);
    }

public:
    TiledBackground background_;
    QPixmap icon_;

private:
    QPixmap picture_;
};

} // namespace

CDalvexDlg::CDalvexDlg(Project& project, const Artwork& artwork, const QString& recoveryFolder,
                       journal::JournalSession* journal)
    : QWidget(nullptr), editor_(project), ctx_{project, editor_, artwork, *this, applicationFont()} {
    ctx_.journal = journal;
    editor_.setNumberKeeper(journal);
    document_ = new OrderDocument(editor_, this);
    ctx_.document = document_;
    ctx_.screen = &screen_;
    connect(document_, &OrderDocument::historyChanged, this, [this] { setWindowTitle(document_->title()); });
    recovery_ = new RecoveryKeeper(ctx_, recoveryFolder, this);
    setAcceptDrops(true);
    // Undo and redo wherever the focus is, except where an edit undoes its own typing.
    for (const auto& [keys, redo] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Z), false},
                                     std::pair{QKeySequence(Qt::CTRL | Qt::Key_Y), true},
                                     std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), true}}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, redo = redo] {
            if (redo)
                document_->redo();
            else
                document_->undo();
        });
    }
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(document_->title());
    setWindowIcon(QIcon(artwork.picture(kPictureAppIcon)));
    setMinimumSize(kMinWidth, kMinHeight);
    setAttribute(Qt::WA_OpaquePaintEvent); // the panels cover the whole client area

    top_ = new TopPanelDlg(ctx_, this);
    top_->setGeometry(0, 0, 970, TopPanelDlg::kHeight);
    sum_ = new SumDlg(ctx_, this);
    right_ = new RightPanelDlg(ctx_, this);
    tabs_ = new DlgTabs(ctx_, this);
    info_ = new InfoPanelDlg(ctx_, this);
    draft_ = new DraftDlg(ctx_, this);
    for (int kind = 0; kind < 4; ++kind)
        tables_[static_cast<size_t>(kind)] = new DlgTable(ctx_, kind, this);
    order_ = new DlgOrder(ctx_, this);
    cutPlan_ = new DlgCutPlan(ctx_, this);
    connect(draft_, &DraftDlg::hoverChanged, info_, &InfoPanelDlg::showHover);
    connect(draft_, &DraftDlg::sketchClicked, right_, &RightPanelDlg::forgetThumbChoice);
    connect(tabs_, &DlgTabs::tabChanged, this, [this](int tab) {
        layoutPanels();
        showTab(tab);
    });
    order_->setPrintOpener([this] { top_->printDialog()->showCentred(); });
    connect(top_->journalButton(), &QAbstractButton::clicked, this, &CDalvexDlg::showJournal);
    auto* journalKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), this);
    connect(journalKey, &QShortcut::activated, this, &CDalvexDlg::showJournal);
    top_->printDialog()->setPrintAction([this](ReportChoice chosen) { printReports(chosen); });
    auto* logo = new LogoPicture(artwork.picture(kPictureLogo), this);
    logo->background_.setTile(artwork.picture(kPicturePanelBack));
    logo->icon_ = artwork.picture(kPictureAppIcon, QSize(56, 56));
    logo_ = logo;

    // The file commands of every desktop program, wherever the focus is; nothing while a tool dialog has
    // locked the panels.
    const std::pair<QKeySequence, std::function<void()>> fileCommands[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { top_->saveSketch(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { top_->saveSketchAs(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_O), [this] { top_->openSketch(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), [this] { top_->pasteSketchLink(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_P), [this] { top_->showPrint(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_N), [this] { order_->newOrder(); }},
    };
    for (const auto& [keys, command] : fileCommands) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, command = command] {
            if (top_->isEnabled()) command();
        });
    }

    // The left tabs from wherever the keyboard is, the door-count list included.
    const std::pair<QKeySequence, int> tabKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, step] : tabKeys) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            if (tabs_->isEnabled())
                tabs_->select((tabs_->selected() + step + DlgTabs::kTabCount) % DlgTabs::kTabCount);
        });
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this && !locked_) keptFocus_ = now;
    });

    resize(startSize(screen() ? screen()->availableGeometry().size() : QSize()));
    layoutPanels();
    showTab(0);
    orderTabs();
    // The keyboard starts in the sketch view: the dimension edits get it only when clicked or tabbed to.
    draft_->setFocus(Qt::OtherFocusReason);
    keptFocus_ = draft_;
}

CDalvexDlg::~CDalvexDlg() = default;

void CDalvexDlg::notify(Notification n) {
    // Disabling the panels moves the keyboard on to whatever control is left: that move is not kept.
    locked_ = n == Notification::LockPanels;
    setMinimiseButton(!locked_);
    Panel* panels[] = {top_, right_, draft_, sum_, tabs_};
    for (Panel* p : panels)
        if (p) p->setEnabled(!locked_);
    if (!locked_) restoreFocus();
}

void CDalvexDlg::showJournal() {
    if (!ctx_.journal || !ctx_.journal->on()) {
        const QString why =
            ctx_.journal ? qs(ctx_.journal->offMessage()) : QStringLiteral("Журнал заказов не ведётся.");
        prompts().error(this, why, QStringLiteral("Журнал заказов"));
        return;
    }
    if (!journalWindow_)
        journalWindow_ = new DlgJournal(ctx_, this);
    else
        journalWindow_->refresh();
    journalWindow_->show();
    journalWindow_->raise();
    journalWindow_->activateWindow();
}

void CDalvexDlg::printReports(ReportChoice chosen) {
    ui::printReports(this, reportSourcesOf(ctx_), chosen);
}

bool CDalvexDlg::minimiseButtonShown() const {
    return windowFlags().testFlag(Qt::WindowMinimizeButtonHint);
}

void CDalvexDlg::setMinimiseButton(bool shown) {
    if (minimiseButtonShown() == shown) return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowMinimizeButtonHint, shown);
    if (visible) show(); // changing the flags of a shown window hides it
}

void CDalvexDlg::shareOpenFiles(OpenFiles& files) {
    ctx_.openFiles = &files;
    files.follow(document_->filePath());
    connect(document_, &OrderDocument::historyChanged, this,
            [this] { ctx_.openFiles->follow(document_->filePath()); });
    connect(&files, &OpenFiles::forwardRequested, this, [this] {
        if (isMinimized()) showNormal();
        raise();
        activateWindow();
        QApplication::alert(this);
    });
}

void CDalvexDlg::start(const QString& file, bool offerRecovery) {
    if (offerRecovery && recovery_->offerRestore(this)) return;
    if (!file.isEmpty()) openSketchFile(ctx_, this, file);
}

void CDalvexDlg::closeEvent(QCloseEvent* event) {
    if (!settleUnsavedChanges(ctx_, this)) {
        event->ignore();
        return;
    }
    recovery_->discard();
    event->accept();
}

namespace {

// The sketch file among what is dragged over the window; empty when there is none.
QString droppedSketch(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".dlx"), Qt::CaseInsensitive))
            return url.toLocalFile();
    return {};
}

} // namespace

void CDalvexDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedSketch(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CDalvexDlg::dropEvent(QDropEvent* event) {
    const QString path = droppedSketch(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    if (settleUnsavedChanges(ctx_, this)) openSketchFile(ctx_, this, path);
}

QSize CDalvexDlg::startSize(const QSize& available) {
    const QSize drawnFor(1280, 800);
    if (!available.isValid()) return drawnFor;
    // Room for the title bar and the borders, which the window's own size leaves out.
    const QSize frame(16, 40);
    return drawnFor.boundedTo(available - frame).expandedTo(QSize(kMinWidth, kMinHeight));
}

void CDalvexDlg::restoreFocus() {
    QWidget* kept = keptFocus_;
    if (!kept || kept == focusWidget() || !kept->isVisible() || !kept->isEnabled()) return;
    // Given also while a dialog is still the active window: the window gives it on when it is active again.
    kept->setFocus(Qt::OtherFocusReason);
}

void CDalvexDlg::changeEvent(QEvent* event) {
    // Qt gives the focus back after this event, to the window's focus widget: set it first.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !locked_) restoreFocus();
    QWidget::changeEvent(event);
}

void CDalvexDlg::orderTabs() {
    // Each panel's controls in its own order, the panels as they are read.
    QWidget* panels[] = {top_,       sum_,       tabs_,      draft_,     right_,  order_,
                         tables_[0], tables_[1], tables_[2], tables_[3], cutPlan_};
    QWidget* previous = nullptr;
    for (QWidget* panel : panels) {
        QList<QWidget*> chain;
        if (panel->focusPolicy() & Qt::TabFocus) chain << panel;
        for (QWidget* w = panel->nextInFocusChain(); w != panel; w = w->nextInFocusChain())
            if (panel->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->isWindow() &&
                w->window() == this)
                chain << w;
        for (QWidget* w : chain) {
            if (previous) setTabOrder(previous, w);
            previous = w;
        }
    }
}

void CDalvexDlg::resizeEvent(QResizeEvent*) {
    layoutPanels();
    if (draft_) draft_->redraw();
}

void CDalvexDlg::layoutPanels() {
    if (!top_) return;
    const int w = width();
    const int h = height();
    const int t = top_->geometry().bottom() + 1;
    const int sumWidth = SumDlg::kWidth;
    sum_->setGeometry(w - sumWidth, 0, sumWidth, t);
    logo_->setGeometry(top_->geometry().right() + 1, 0,
                       std::max(0, w - sumWidth - top_->geometry().right() - 1), t);
    tabs_->setGeometry(0, t, DlgTabs::kWidth, h - t);
    const int sideX = w - RightPanelDlg::kWidth;
    right_->setGeometry(sideX, t, RightPanelDlg::kWidth, h - t);
    order_->setGeometry(sideX, t, RightPanelDlg::kWidth, h - t);
    const int viewWidth = w - DlgTabs::kWidth - RightPanelDlg::kWidth;
    info_->setGeometry(DlgTabs::kWidth, h - InfoPanelDlg::kHeight, viewWidth, InfoPanelDlg::kHeight);
    draft_->setGeometry(DlgTabs::kWidth, t, viewWidth, h - InfoPanelDlg::kHeight - t);
    for (int kind : {0, 2, 3})
        tables_[static_cast<size_t>(kind)]->setGeometry(DlgTabs::kWidth, t, w - DlgTabs::kWidth, h - t);
    tables_[1]->setGeometry(DlgTabs::kWidth, t, sideX - DlgTabs::kWidth, h - t);
    cutPlan_->setGeometry(DlgTabs::kWidth, t, w - DlgTabs::kWidth, h - t);
}

void CDalvexDlg::showTab(int tab) {
    const bool sketch = tab == 0;
    right_->setVisible(sketch);
    info_->setVisible(sketch);
    draft_->setVisible(sketch);
    for (int kind = 0; kind < 4; ++kind)
        tables_[static_cast<size_t>(kind)]->setVisible(tab == kind + 1);
    order_->setVisible(tab == 2);
    cutPlan_->setVisible(tab == 5);
}

} // namespace dalvex::ui
