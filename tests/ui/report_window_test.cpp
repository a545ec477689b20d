// The report selection window: toggles that keep their state, locking the panels while it is open, and the
// workbook and accounting files of the xml mode.
#include "dialogs/dlg_print.h"
#include "panels/info_panel_dlg.h"
#include "ui_test_support.h"
#include "widgets/picture_button.h"

#include <QtTest>

using namespace dalvex;
using namespace dalvex::ui;
using namespace dalvex::ui::test;

class ReportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void modesShowTheirTexts();
    void cancelUnlocksAndKeepsTheToggles();
    void xmlModeWritesWorkbookAndAccountingFile_data();
    void xmlModeWritesWorkbookAndAccountingFile();
    void failedWorkbookReportsItsPath();
};

void ReportWindowTest::modesShowTheirTexts() {
    ProjectFixture f;
    RecordingHub hub;
    DlgPrint print(f.context(hub), DlgPrint::Mode::Print, nullptr);
    DlgPrint xml(f.context(hub), DlgPrint::Mode::Xml, nullptr);
    QCOMPARE(print.windowTitle(), QStringLiteral("Печать"));
    QCOMPARE(xml.windowTitle(), QStringLiteral("Сохранить в xml"));
    QCOMPARE(print.toggleButton(DlgPrint::Order)->text(), QStringLiteral("Информация о заказе + эскиз"));
    QCOMPARE(xml.toggleButton(DlgPrint::Order)->text(), QStringLiteral("Информация о заказе"));
    QVERIFY(print.toggleButton(DlgPrint::Accounting)->isHidden());
    QCOMPARE(xml.toggleButton(DlgPrint::Accounting)->text(), QStringLiteral("Информация для 1С"));
    QVERIFY(xml.toggleButton(DlgPrint::CutPlan)->isHidden());
    QCOMPARE(print.toggleButton(DlgPrint::CutPlan)->text(), QStringLiteral("Раскрой профилей"));
    QVERIFY(xml.toggleButton(DlgPrint::SheetPlan)->isHidden());
    QCOMPARE(print.toggleButton(DlgPrint::SheetPlan)->text(), QStringLiteral("Раскрой листов"));
    // The print window's extra row pushes its buttons down.
    QVERIFY(print.okButton()->geometry().top() >=
            print.toggleButton(DlgPrint::SheetPlan)->geometry().bottom());
    QCOMPARE(print.okButton()->text(), QStringLiteral("Печать"));
    QVERIFY(print.okButton()->isEnabled());
    QCOMPARE(xml.okButton()->text(), QStringLiteral("Сохранить"));
    for (int t = 0; t < DlgPrint::ToggleCount; ++t)
        QVERIFY(xml.isOn(static_cast<DlgPrint::Toggle>(t)));
}

void ReportWindowTest::cancelUnlocksAndKeepsTheToggles() {
    ProjectFixture f;
    RecordingHub hub;
    DlgPrint print(f.context(hub), DlgPrint::Mode::Print, nullptr);
    print.showCentred();
    QCOMPARE(hub.seen, std::vector<Notification>{Notification::LockPanels});
    print.toggleButton(DlgPrint::Price)->click();
    QVERIFY(!print.isOn(DlgPrint::Price));
    print.reject();
    QCOMPARE(hub.seen, (std::vector<Notification>{Notification::LockPanels, Notification::UnlockPanels}));
    QVERIFY(!print.isVisible());
    print.showCentred();
    QVERIFY(!print.isOn(DlgPrint::Price));
    QVERIFY(print.isOn(DlgPrint::Order));
    print.reject();
}

void ReportWindowTest::xmlModeWritesWorkbookAndAccountingFile_data() {
    QTest::addColumn<bool>("sheets");
    QTest::addColumn<bool>("accounting");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("accountingName");
    QTest::addColumn<bool>("workbookWritten");
    QTest::addColumn<bool>("accountingWritten");
    QTest::addColumn<QString>("told"); // the files the info line names
    QTest::newRow("everything") << true << true << "order.xml" << "order.csv" << true << true
                                << "order.xml, order.csv";
    QTest::newRow("no accounting") << true << false << "order.xml" << "order.csv" << true << false << "order.xml";
    QTest::newRow("accounting only") << false << true << "order.xml" << "order.csv" << false << true
                                     << "order.csv";
    QTest::newRow("nothing") << false << false << "order.xml" << "order.csv" << false << false << "";
    QTest::newRow("Cyrillic name") << true << true << QStringLiteral("Заказ Иванова №7.xml")
                                   << QStringLiteral("Заказ Иванова №7.csv") << true << true
                                   << QStringLiteral("Заказ Иванова №7.xml, Заказ Иванова №7.csv");
}

void ReportWindowTest::xmlModeWritesWorkbookAndAccountingFile() {
    QFETCH(bool, sheets);
    QFETCH(bool, accounting);
    QFETCH(QString, typed);
    QFETCH(QString, accountingName);
    QFETCH(bool, workbookWritten);
    QFETCH(bool, accountingWritten);
    QFETCH(QString, told);
    ProjectFixture f;
    RecordingHub hub;
    InfoPanelDlg info(f.context(hub), nullptr);
    ScriptedPrompts answers;
    const auto folder = uniqueTempFolder("xml");
    const QDir dir(qtPath(folder));
    answers.nextPath = dir.filePath(typed);
    DlgPrint xml(f.context(hub), DlgPrint::Mode::Xml, nullptr);
    for (auto t : {DlgPrint::Order, DlgPrint::Price, DlgPrint::Profiles, DlgPrint::Assembly})
        xml.setOn(t, sheets);
    xml.setOn(DlgPrint::Accounting, accounting);
    xml.showCentred();
    xml.accept();
    QVERIFY(!xml.isVisible());
    QVERIFY(answers.errors.isEmpty());
    QCOMPARE(QFile::exists(dir.filePath(typed)), workbookWritten);
    QCOMPARE(QFile::exists(dir.filePath(accountingName)), accountingWritten);
    if (sheets || accounting)
        QCOMPARE(answers.lastInitialName, QString::fromStdString(f.project.orderCard.orderNumber));
    QCOMPARE(hub.seen.back(), Notification::UnlockPanels);
    QCOMPARE(info.firstLine(), told.isEmpty() ? QString()
                                              : QStringLiteral("Записано в папку %1: %2")
                                                    .arg(QDir::toNativeSeparators(dir.absolutePath()), told));
    std::filesystem::remove_all(folder);
}

void ReportWindowTest::failedWorkbookReportsItsPath() {
    ProjectFixture f;
    RecordingHub hub;
    ScriptedPrompts answers;
    const QString bad = QString::fromStdString((f.folder / "missing" / "order.xml").string());
    answers.nextPath = bad;
    DlgPrint xml(f.context(hub), DlgPrint::Mode::Xml, nullptr);
    xml.accept();
    QCOMPARE(answers.errors, QStringList{QStringLiteral("Ошибка сохранения файла ") + bad});
    QCOMPARE(answers.captions, QStringList{QStringLiteral("Ошибка")});
    QVERIFY(!std::filesystem::exists(f.folder / "missing" / "order.csv"));
}

QTEST_MAIN(ReportWindowTest)
#include "report_window_test.moc"
