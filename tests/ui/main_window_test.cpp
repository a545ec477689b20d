// The main window: the notification routing table, the layout rules and the tab display.
#include "dlg_cut_plan.h"
#include "dlg_order.h"
#include "dlg_table.h"
#include "dlg_tabs.h"
#include "draft_dlg.h"
#include "info_panel_dlg.h"
#include "main_window.h"
#include "right_panel_dlg.h"
#include "sum_dlg.h"
#include "top_panel_dlg.h"
#include "ui_test_support.h"
#include "widgets/picture_button.h"

#include <QtTest>

using namespace dalvex;
using namespace dalvex::ui;
using dalvex::ui::test::ProjectFixture;

namespace {

// What each panel received, in one record per notification kind.
struct Received {
    int top, right, draft, sum, tabs, info, order;
    int tables[4];
};

constexpr Notification kKinds[] = {
    Notification::SelectionChanged, Notification::Recalculated,    Notification::HoverChanged,
    Notification::SketchClicked,    Notification::TotalsChanged,   Notification::DiscountReload,
    Notification::LockPanels,       Notification::UnlockPanels,    Notification::TabChanged,
    Notification::SketchOpened,     Notification::OrderCardChanged};

int total(const Panel* p) {
    int sum = 0;
    for (Notification n : kKinds)
        sum += p->received(n);
    return sum;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void routesEachNotificationToItsPanels_data();
    void routesEachNotificationToItsPanels();
    void forwardsTheRightKinds();
    void keepsFixedPanelsAtTheMinimumSize();
    void showsThePanelsOfEachTab();
    void lockingRemovesTheMinimiseButton();
    void startsOnTheSketchTabWithTheDefaultProject();
};

void MainWindowTest::routesEachNotificationToItsPanels_data() {
    QTest::addColumn<int>("kind");
    // top, right, draft, sum, tabs, info, order, table 0..3 (a refresh of the top panel reloads the discount)
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("SelectionChanged") << 1 << QList<int>{1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("Recalculated") << 2 << QList<int>{0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1};
    QTest::newRow("HoverChanged") << 3 << QList<int>{0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    QTest::newRow("SketchClicked") << 4 << QList<int>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("TotalsChanged") << 6 << QList<int>{0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1};
    QTest::newRow("DiscountReload") << 7 << QList<int>{0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("LockPanels") << 8 << QList<int>{1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
    QTest::newRow("UnlockPanels") << 9 << QList<int>{1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
    QTest::newRow("TabChanged") << 10 << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("SketchOpened") << 11 << QList<int>{0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0};
    QTest::newRow("OrderCardChanged") << 12 << QList<int>{0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1};
}

void MainWindowTest::routesEachNotificationToItsPanels() {
    QFETCH(int, kind);
    QFETCH(QList<int>, expected);
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    const Panel* panels[] = {window.topPanel(), window.rightPanel(), window.draftView(),  window.sumPanel(),
                             window.tabBar(),   window.infoPanel(),  window.orderPanel(), window.table(0),
                             window.table(1),   window.table(2),     window.table(3)};
    QList<int> before;
    for (const Panel* p : panels)
        before << total(p);
    window.notify(static_cast<Notification>(kind));
    QList<int> delta;
    for (size_t i = 0; i < std::size(panels); ++i)
        delta << total(panels[i]) - before[static_cast<int>(i)];
    QCOMPARE(delta, expected);
}

void MainWindowTest::forwardsTheRightKinds() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    const int sumTotals = window.sumPanel()->received(Notification::TotalsChanged);
    const int tableRecalc = window.table(2)->received(Notification::Recalculated);
    // The totals panel hears TotalsChanged for a recalculation, the tables a Recalculated for changed totals.
    window.notify(Notification::Recalculated);
    QCOMPARE(window.sumPanel()->received(Notification::TotalsChanged), sumTotals + 1);
    QCOMPARE(window.sumPanel()->received(Notification::Recalculated), 0);
    window.notify(Notification::OrderCardChanged);
    QCOMPARE(window.table(2)->received(Notification::Recalculated), tableRecalc + 2);
    QCOMPARE(window.table(2)->received(Notification::OrderCardChanged), 0);
}

void MainWindowTest::keepsFixedPanelsAtTheMinimumSize() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork);
    window.show();
    window.resize(500, 300);
    QCOMPARE(window.size(), QSize(1204, 768));
    const int t = window.topPanel()->geometry().bottom() + 1;
    QCOMPARE(window.topPanel()->geometry(), QRect(0, 0, 970, t));
    QCOMPARE(window.sumPanel()->geometry(),
             QRect(1204 - window.sumPanel()->width(), 0, window.sumPanel()->width(), t));
    QCOMPARE(window.logo()->geometry().left(), 970);
    QCOMPARE(window.logo()->geometry().right() + 1, window.sumPanel()->x());
    QCOMPARE(window.tabBar()->geometry(), QRect(0, t, 39, 768 - t));
    QCOMPARE(window.rightPanel()->geometry(), QRect(1204 - 280, t, 280, 768 - t));
    QCOMPARE(window.orderPanel()->geometry(), window.rightPanel()->geometry());
    QCOMPARE(window.infoPanel()->geometry(), QRect(39, 768 - 60, 1204 - 39 - 280, 60));
    QCOMPARE(window.draftView()->geometry(), QRect(39, t, 1204 - 39 - 280, 768 - 60 - t));
    for (int kind : {0, 2, 3})
        QCOMPARE(window.table(kind)->geometry(), QRect(39, t, 1204 - 39, 768 - t));
    QCOMPARE(window.table(1)->geometry(), QRect(39, t, 1204 - 280 - 39, 768 - t));

    window.resize(1500, 900);
    QCOMPARE(window.rightPanel()->geometry(), QRect(1500 - 280, t, 280, 900 - t));
    QCOMPARE(window.draftView()->width(), 1500 - 39 - 280);
    QCOMPARE(window.infoPanel()->height(), 60);
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
    QCOMPARE(window.minimumSize(), QSize(1204, 768));
    QCOMPARE(window.tabBar()->selected(), 0);
    QCOMPARE(f.project.doorCount, 3);
    QCOMPARE(window.topPanel()->pickerButton(0)->text(), QStringLiteral("Борвик"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
