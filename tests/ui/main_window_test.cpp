// The main window: the notification routing table, the layout rules and the tab display.
#include "results/dlg_cut_plan.h"
#include "dialogs/dlg_door_size.h"
#include "panels/dlg_order.h"
#include "panels/dlg_splitter.h"
#include "results/dlg_table.h"
#include "panels/dlg_tabs.h"
#include "sketch_view/draft_dlg.h"
#include "panels/info_panel_dlg.h"
#include "window/main_window.h"
#include "document/order_document.h"
#include "panels/pickers.h"
#include "project/project_files.h"
#include "panels/right_panel_dlg.h"
#include "panels/sum_dlg.h"
#include "panels/thumb_list.h"
#include "panels/top_panel_dlg.h"
#include "ui_test_support.h"
#include "widgets/picture_button.h"
#include "widgets/text_label.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

using namespace dalvex;
using namespace dalvex::ui;
using dalvex::ui::test::Announced;
using dalvex::ui::test::ProjectFixture;
using dalvex::ui::test::ScriptedPrompts;
using dalvex::ui::test::systemNamed;

namespace {

// "lock" and "unlock" in a log as a panel is disabled and enabled again.
class LockWatch : public QObject {
public:
    LockWatch(QWidget* panel, QStringList& log) : log_(log) { panel->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange)
            log_ << (static_cast<QWidget*>(watched)->isEnabled() ? QStringLiteral("unlock") : QStringLiteral("lock"));
        return false;
    }

private:
    QStringList& log_;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theSketchsHoverAndClicksReachTheirPanels();
    void panelsFollowTheDocument();
    void keepsFixedPanelsAtTheMinimumSize();
    void nothingOverlapsAtAnySizeTheWindowAllows();
    void opensWithinTheScreen();
    void showsThePanelsOfEachTab();
    void lockingRemovesTheMinimiseButton();
    void startsOnTheSketchTabWithTheDefaultProject();
    void everyWidgetActionNotifiesThroughTheEditor_data();
    void everyWidgetActionNotifiesThroughTheEditor();
};

// The item under the mouse is described on the info line; a click in the sketch takes the thumbnails' choice
// away, so that the same material can be picked again.
void MainWindowTest::theSketchsHoverAndClicksReachTheirPanels() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    window.show();
    DraftDlg* sketch = window.draftView();
    sketch->grab();
    const QPoint door(sketch->width() / 4, sketch->height() / 2);
    QTest::mouseMove(sketch, door);
    QVERIFY(!window.infoPanel()->firstLine().isEmpty());
    window.rightPanel()->showPage(1);
    CThumbListCtrl* thumbs = window.rightPanel()->thumbList();
    {
        const QSignalBlocker quiet(thumbs);
        thumbs->setCurrentRow(0);
    }
    QVERIFY(thumbs->currentIndex().isValid());
    QTest::mouseClick(sketch, Qt::LeftButton, {}, door);
    QVERIFY(!thumbs->currentIndex().isValid());
}

// What changes in the order reaches every panel that shows it, from the document, without the window.
void MainWindowTest::panelsFollowTheDocument() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    ProjectEditor& editor = window.document()->editor();
    for (int kind = 0; kind < 4; ++kind)
        window.table(kind)->sections(); // made now: only a change makes them stale
    // A calculation: the total, the tables and the cutting plan follow.
    QVERIFY(editor.apply(edit::SetWidth{24000}));
    QCOMPARE(window.sumPanel()->totalText(), QString::fromStdString(f.project.grandTotalText()));
    for (int kind = 0; kind < 4; ++kind)
        QVERIFY(window.table(kind)->stale());
    QVERIFY(window.cutPlanView()->stale());
    QCOMPARE(window.topPanel()->widthEdit()->text(), QStringLiteral("2400"));
    // The card's charges change the total and the tables without a calculation.
    for (int kind = 0; kind < 4; ++kind)
        window.table(kind)->sections();
    OrderCard card = f.project.orderCard;
    card.customerName = "Петров";
    card.deliveryCost = 700;
    QVERIFY(editor.apply(edit::SetOrderCard{card}));
    QCOMPARE(window.orderPanel()->nameEdit()->text(), QStringLiteral("Петров"));
    QCOMPARE(window.sumPanel()->totalText(), QString::fromStdString(f.project.grandTotalText()));
    for (int kind = 0; kind < 4; ++kind)
        QVERIFY(window.table(kind)->stale());
    // Undo shows what it put back: only what the step changed.
    Announced announced(*window.document());
    QVERIFY(window.document()->undo());
    QVERIFY(window.orderPanel()->nameEdit()->text().isEmpty());
    QVERIFY(!announced.seen.contains("choices"));
    QVERIFY(window.document()->undo());
    QCOMPARE(window.topPanel()->widthEdit()->text(), QStringLiteral("3000"));
    QVERIFY(announced.seen.contains("dimensions"));
}

void MainWindowTest::keepsFixedPanelsAtTheMinimumSize() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    window.show();
    window.resize(500, 300);
    const int h = CDalvexDlg::kMinHeight;
    QCOMPARE(window.size(), QSize(1204, h));
    const int t = window.topPanel()->geometry().bottom() + 1;
    QCOMPARE(window.topPanel()->geometry(), QRect(0, 0, 970, t));
    QCOMPARE(window.sumPanel()->geometry(),
             QRect(1204 - window.sumPanel()->width(), 0, window.sumPanel()->width(), t));
    QCOMPARE(window.logo()->geometry().left(), 970);
    QCOMPARE(window.logo()->geometry().right() + 1, window.sumPanel()->x());
    QCOMPARE(window.tabBar()->geometry(), QRect(0, t, 39, h - t));
    QCOMPARE(window.rightPanel()->geometry(), QRect(1204 - 280, t, 280, h - t));
    QCOMPARE(window.orderPanel()->geometry(), window.rightPanel()->geometry());
    QCOMPARE(window.infoPanel()->geometry(), QRect(39, h - 60, 1204 - 39 - 280, 60));
    QCOMPARE(window.draftView()->geometry(), QRect(39, t, 1204 - 39 - 280, h - 60 - t));
    for (int kind : {0, 2, 3})
        QCOMPARE(window.table(kind)->geometry(), QRect(39, t, 1204 - 39, h - t));
    QCOMPARE(window.table(1)->geometry(), QRect(39, t, 1204 - 280 - 39, h - t));

    window.resize(1500, 900);
    QCOMPARE(window.rightPanel()->geometry(), QRect(1500 - 280, t, 280, 900 - t));
    QCOMPARE(window.draftView()->width(), 1500 - 39 - 280);
    QCOMPARE(window.infoPanel()->height(), 60);
}

namespace {

// The visible widgets among `widgets` that overlap one another or leave `area`, named by their class and
// place.
QStringList overlaps(const QList<QWidget*>& widgets, const QRect& area) {
    QStringList found;
    auto name = [](const QWidget* w) {
        return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') +
               QString::number(w->x()) + QLatin1Char(',') + QString::number(w->y());
    };
    for (qsizetype i = 0; i < widgets.size(); ++i) {
        if (!area.contains(widgets[i]->geometry())) found << name(widgets[i]) + QStringLiteral(" outside");
        for (qsizetype j = i + 1; j < widgets.size(); ++j)
            if (widgets[i]->geometry().intersects(widgets[j]->geometry()))
                found << name(widgets[i]) + QStringLiteral(" over ") + name(widgets[j]);
    }
    return found;
}

QList<QWidget*> shownChildren(QWidget* parent) {
    QList<QWidget*> shown;
    for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->isWindow() && w->isVisibleTo(parent)) shown << w;
    return shown;
}

} // namespace

void MainWindowTest::nothingOverlapsAtAnySizeTheWindowAllows() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    window.show();
    RightPanelDlg* right = window.rightPanel();
    // Laptop screens less the title bar and the task bar take the window as it is; a smaller size gives the
    // least the window allows.
    for (const QSize asked : {QSize(1280, 720), QSize(1366, 728), QSize(1920, 1080), QSize(800, 600)}) {
        window.resize(asked);
        QCOMPARE(window.size(), asked.expandedTo(QSize(CDalvexDlg::kMinWidth, CDalvexDlg::kMinHeight)));
        for (int tab = 0; tab < DlgTabs::kTabCount; ++tab) {
            window.tabBar()->select(tab);
            const QStringList found = overlaps(shownChildren(&window), window.rect());
            QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
        }
        // The right panel's pages of every kind of system: the controls clear of one another and of the logo.
        window.tabBar()->select(0);
        for (const char* system : {"Герлит", "Борвик"}) {
            QVERIFY(window.document()->editor().apply(edit::SelectSystem{systemNamed(system)}));
            for (int page : {0, 1}) {
                right->showPage(page);
                QList<QWidget*> controls = shownChildren(right);
                QStringList found = overlaps(controls, right->rect());
                // Only the web address is written over the logo.
                for (const QWidget* w : controls)
                    if (w != right->linkLabel() && w->geometry().intersects(right->logoBox()))
                        found << QString::fromLatin1(w->metaObject()->className()) +
                                     QStringLiteral(" over the logo");
                QVERIFY2(found.isEmpty(), qPrintable(QString::number(window.height()) + QStringLiteral(": ") +
                                                     found.join(QStringLiteral("; "))));
            }
        }
    }
}

void MainWindowTest::opensWithinTheScreen() {
    // A 1366 x 768 laptop less its task bar must not get a window taller than its screen.
    const struct {
        QSize available, opened;
    } cases[] = {
        {QSize(1920, 1040), QSize(1280, 800)}, {QSize(1366, 728), QSize(1280, 704)},
        {QSize(1280, 680), QSize(1264, 704)},  {QSize(1024, 600), QSize(1204, 704)},
        {QSize(), QSize(1280, 800)},
    };
    for (const auto& c : cases)
        QCOMPARE(CDalvexDlg::startSize(c.available), c.opened);
}

void MainWindowTest::showsThePanelsOfEachTab() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    window.show();
    for (int tab = 0; tab < DlgTabs::kTabCount; ++tab) {
        window.tabBar()->select(tab);
        QCOMPARE(window.tabBar()->selected(), tab);
        QCOMPARE(window.rightPanel()->isVisible(), tab == 0);
        QCOMPARE(window.infoPanel()->isVisible(), tab == 0);
        QCOMPARE(window.draftView()->isVisible(), tab == 0);
        QCOMPARE(window.orderPanel()->isVisible(), tab == 2);
        QCOMPARE(window.cutPlanView()->isVisible(), tab == 5);
        for (int kind = 0; kind < 4; ++kind)
            QCOMPARE(window.table(kind)->isVisible(), tab == kind + 1);
        QVERIFY(window.topPanel()->isVisible());
        QVERIFY(window.sumPanel()->isVisible());
        QVERIFY(window.tabBar()->isVisible());
        // The selected tab stands out: wider and further left than the others.
        for (int i = 0; i < DlgTabs::kTabCount; ++i) {
            const QRect r = window.tabBar()->tab(i)->geometry();
            QCOMPARE(r, i == tab ? QRect(7, 7 + 96 * i, 32, 96) : QRect(12, 7 + 96 * i, 27, 96));
        }
    }
}

void MainWindowTest::lockingRemovesTheMinimiseButton() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    window.show();
    QVERIFY(window.minimiseButtonShown());
    window.notify(Notification::LockPanels);
    QVERIFY(!window.minimiseButtonShown());
    QVERIFY(window.isVisible());
    QVERIFY(!window.topPanel()->isEnabled());
    QVERIFY(!window.draftView()->isEnabled());
    QVERIFY(!window.tabBar()->isEnabled());
    window.notify(Notification::UnlockPanels);
    QVERIFY(window.minimiseButtonShown());
    QVERIFY(window.topPanel()->isEnabled());
    QVERIFY(window.sumPanel()->isEnabled());
}

void MainWindowTest::startsOnTheSketchTabWithTheDefaultProject() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    QCOMPARE(window.windowTitle(), QStringLiteral("dalvex"));
    QCOMPARE(window.minimumSize(), QSize(CDalvexDlg::kMinWidth, CDalvexDlg::kMinHeight));
    QCOMPARE(window.tabBar()->selected(), 0);
    QCOMPARE(f.project.doorCount, 3);
    QCOMPARE(window.topPanel()->pickerButton(0)->text(), QStringLiteral("Борвик"));
}

namespace {

// A widget's action on the real main window, with the order prepared for it by editing operations.
struct WidgetAction {
    const char* name;
    std::function<void(CDalvexDlg&)> prepare;
    std::function<void(CDalvexDlg&)> act;
    QStringList expected; // what the window and the document announce, in order
};

void choose(CDalvexDlg& w, const char* system) {
    QVERIFY(w.document()->editor().apply(edit::SelectSystem{systemNamed(system)}));
}

// The picker entry showing this text.
int entryId(const Picker* picker, const QString& text) {
    for (const PickerEntry& e : picker->entries())
        if (e.text == text) return e.id;
    return -1;
}

// A handle profile with a second bar length, and its system.
void chooseHandleWithTwoBars(CDalvexDlg& w) {
    ProjectEditor& editor = w.document()->editor();
    for (const DSSystem* s : test::sampleCatalogue().systems())
        for (HandleProfile* h : s->handleProfiles(editor.project().options))
            if (h->barLength2 > 0) {
                editor.apply(edit::SelectSystem{s});
                editor.apply(edit::SetHandleProfile{h});
                return;
            }
    QFAIL("no handle profile with two bar lengths");
}

// A new choice: the panels that show the choices, then the calculation and its figures.
const QStringList kSelection{"choices", "recalculated", "totals"};

const std::vector<WidgetAction>& widgetActions() {
    auto none = [](CDalvexDlg&) {};
    static const std::vector<WidgetAction> actions = {
        {"system",
         none,
         [](CDalvexDlg& w) {
             w.topPanel()->systemsPicker()->click(entryId(w.topPanel()->systemsPicker(), "Далвекс"));
         },
         {"choices", "dimensions", "recalculated", "totals"}},
        {"handle", none, [](CDalvexDlg& w) { w.topPanel()->handsPicker()->click(502); }, kSelection},
        {"colour", none,
         [](CDalvexDlg& w) {
             w.topPanel()->colorsPicker()->click(w.topPanel()->colorsPicker()->entries().back().id);
         },
         kSelection},
        {"divider profile",
         none,
         [](CDalvexDlg& w) {
             w.rightPanel()->dividerButton()->click();
             w.rightPanel()->splitter()->click(502);
         },
         {"choices"}},
        {"width typed",
         none,
         [](CDalvexDlg& w) { w.topPanel()->widthEdit()->setText("2500"); },
         {"dimensions", "recalculated", "totals"}},
        {"door count",
         none,
         [](CDalvexDlg& w) { w.topPanel()->doorCountList()->setCurrentIndex(1); },
         {"dimensions", "recalculated", "totals"}},
        {"chipboard",
         [](CDalvexDlg& w) { choose(w, "Далвекс"); },
         [](CDalvexDlg& w) { w.topPanel()->chipboardEdit()->setText("18"); },
         {"dimensions", "recalculated", "totals"}},
        {"plinth",
         [](CDalvexDlg& w) { choose(w, "Далвекс"); },
         [](CDalvexDlg& w) { w.topPanel()->plinthEdit()->setText("100"); },
         {"dimensions", "recalculated", "totals"}},
        {"discount",
         none,
         [](CDalvexDlg& w) { w.sumPanel()->discountEdit()->setText("5"); },
         {"recalculated", "totals", "discount"}},
        {"option toggle", [](CDalvexDlg& w) { choose(w, "Далвекс"); },
         [](CDalvexDlg& w) { w.topPanel()->optionButton()->click(); }, kSelection},
        {"roller entry", [](CDalvexDlg& w) { w.topPanel()->doorCountList()->setCurrentIndex(1); },
         [](CDalvexDlg& w) {
             QComboBox* rollers = w.rightPanel()->rollerList();
             QCOMPARE(rollers->itemText(rollers->count() - 1), QStringLiteral("пивотный мех."));
             rollers->setCurrentIndex(rollers->count() - 1);
         },
         kSelection},
        {"height offset", none, [](CDalvexDlg& w) { w.rightPanel()->heightOffsetList()->setCurrentIndex(1); },
         kSelection},
        {"bar length", chooseHandleWithTwoBars,
         [](CDalvexDlg& w) { w.rightPanel()->barLengthList()->setCurrentIndex(1); }, kSelection},
        {"running profile", [](CDalvexDlg& w) { choose(w, "Герлит"); },
         [](CDalvexDlg& w) { w.rightPanel()->runningButton()->click(); }, kSelection},
        {"guide profile",
         [](CDalvexDlg& w) { choose(w, "Герлит"); },
         [](CDalvexDlg& w) { w.rightPanel()->guideButton()->click(); }, kSelection},
        {"door widths OK",
         none,
         [](CDalvexDlg& w) {
             w.rightPanel()->doorParametersButton()->click();
             DlgDoorSize* dialog = w.rightPanel()->doorSizeDialog();
             // Widths shown with their tenth ("1015,3"): 10 mm from one door to the next.
             const auto shifted = [dialog](int door, int by) {
                 const double mm =
                     dialog->widthEdit(door)->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
                 dialog->widthEdit(door)->setText(QString::number(mm + by, 'f', 1));
             };
             shifted(0, -10);
             shifted(1, 10);
             dialog->okButton()->click();
         },
         {"lock", "recalculated", "totals", "unlock"}},
        {"card",
         none,
         [](CDalvexDlg& w) { w.orderPanel()->nameEdit()->setText("Иванов"); },
         {"totals", "card"}},
    };
    return actions;
}

} // namespace

void MainWindowTest::everyWidgetActionNotifiesThroughTheEditor_data() {
    QTest::addColumn<int>("action");
    for (size_t i = 0; i < widgetActions().size(); ++i)
        QTest::newRow(widgetActions()[i].name) << static_cast<int>(i);
    QTest::newRow("open file") << -1;
}

void MainWindowTest::everyWidgetActionNotifiesThroughTheEditor() {
    QFETCH(int, action);
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    OrderDocument& document = *window.document();
    QStringList heard;
    const LockWatch locks(window.topPanel(), heard);
    Announced announced(document, &heard);
    QStringList expected{"choices", "dimensions", "recalculated", "totals", "discount", "card", "opened"};
    const auto folder = test::uniqueTempFolder("routing");
    if (action >= 0) {
        const WidgetAction& a = widgetActions()[static_cast<size_t>(action)];
        a.prepare(window);
        const std::string prepared = writeSketchBytes(f.project);
        const OrderOptions preparedOptions = f.project.options;
        heard.clear();
        a.act(window);
        expected = a.expected;
        QCOMPARE(heard.isEmpty(), false);
        heard.removeAll(QStringLiteral("view"));
        QCOMPARE(heard, expected);
        // One step of the history, which gives the order's options back too.
        QVERIFY(document.editor().modified());
        QVERIFY(document.undo());
        QCOMPARE(writeSketchBytes(f.project), prepared);
        QVERIFY(f.project.options == preparedOptions);
        std::filesystem::remove_all(folder);
        return;
    } else {
        ScriptedPrompts prompts;
        QVERIFY(document.editor().apply(edit::SetWidth{27000}));
        QCOMPARE(f.project.save(folder / "order.dlx"), kSketchOk);
        QVERIFY(document.editor().apply(edit::SetWidth{30000}));
        document.markSaved();
        prompts.nextPath = QString::fromStdString((folder / "order.dlx").string());
        heard.clear();
        window.topPanel()->openSketch();
        QCOMPARE(f.project.width, 27000);
        QVERIFY(!document.canUndo());
    }
    heard.removeAll(QStringLiteral("view")); // how the window shows the order may follow a choice
    QCOMPARE(heard, expected);
    while (document.canUndo())
        document.undo();
    std::filesystem::remove_all(folder);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
