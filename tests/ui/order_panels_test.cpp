// The order card panel and the totals panel: the cost and discount edit rules, "Новый заказ", and saving the
// order (counter advanced, print window opened; nothing of that when the file cannot be written).
#include "panels/dlg_order.h"
#include "orders/order_numbers.h"
#include "panels/sum_dlg.h"
#include "text/format.h"
#include "text/numbers.h"
#include "ui_test_support.h"
#include "widgets/text_label.h"

#include <QLineEdit>
#include <QtTest>

using namespace dalvex;
using namespace dalvex::ui;
using namespace dalvex::ui::test;

namespace {

void paste(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->insert(text);
}

} // namespace

class OrderPanelsTest : public QObject {
    Q_OBJECT

private slots:
    void costEditsFollowTheirRule_data();
    void costEditsFollowTheirRule();
    void cardTextsAreCopiedAtEveryChange();
    void newOrderResetsTheCard();
    void cardLabelsAreTheTemplatesHiddenOnesIncluded();
    void savingAdvancesTheNumberAndOpensPrinting();
    void failedSaveReportsAndAdvancesNothing();
    void aNumberAnotherProgramTookIsNotSavedAgain();
    void discountEditsFollowTheirRule_data();
    void discountEditsFollowTheirRule();
    void discountReloadShowsTheProjectDiscount();
};

void OrderPanelsTest::costEditsFollowTheirRule_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("after");
    QTest::addColumn<QString>("shown");
    QTest::newRow("six digits pasted keep the old value") << 1500 << "150000" << 1500 << "1500";
    QTest::newRow("leading zeros are stripped") << 0 << "007" << 7 << "7";
    QTest::newRow("a single zero clears") << 1500 << "0" << 0 << "";
    QTest::newRow("emptied") << 1500 << "" << 0 << "";
    QTest::newRow("largest accepted") << 5 << "99999" << 99999 << "99999";
    QTest::newRow("plain") << 0 << "2500" << 2500 << "2500";
}

void OrderPanelsTest::costEditsFollowTheirRule() {
    QFETCH(int, before);
    QFETCH(QString, typed);
    QFETCH(int, after);
    QFETCH(QString, shown);
    for (bool assembly : {true, false}) {
        ProjectFixture f;
        RecordingHub hub;
        int32_t& value = assembly ? f.project.orderCard.assemblyCost : f.project.orderCard.deliveryCost;
        value = before;
        DlgOrder panel(f.context(hub), nullptr);
        QSignalSpy announced(&f.document, &OrderDocument::cardChanged);
        QLineEdit* edit = assembly ? panel.assemblyEdit() : panel.deliveryEdit();
        paste(edit, typed);
        QCOMPARE(value, after);
        QCOMPARE(edit->text(), shown);
        // A change of the card is announced; a refused one changes nothing to announce.
        QCOMPARE(announced.count() >= 1, after != before);
    }
}

void OrderPanelsTest::cardTextsAreCopiedAtEveryChange() {
    ProjectFixture f;
    RecordingHub hub;
    DlgOrder panel(f.context(hub), nullptr);
    QSignalSpy announced(&f.document, &OrderDocument::cardChanged);
    for (QChar ch : QStringLiteral("Иванов"))
        panel.nameEdit()->insert(ch); // one change per character
    QCOMPARE(QString::fromStdString(f.project.orderCard.customerName), QStringLiteral("Иванов"));
    QCOMPARE(announced.count(), 6);
    // The typing is one step of the history.
    QVERIFY(f.document.undo());
    QVERIFY(f.project.orderCard.customerName.empty());
    QVERIFY(!f.document.canUndo());
    paste(panel.numberEdit(), "00042");
    QCOMPARE(f.project.orderCard.orderNumber, std::string("00042"));
}

void OrderPanelsTest::cardLabelsAreTheTemplatesHiddenOnesIncluded() {
    ProjectFixture f;
    RecordingHub hub;
    DlgOrder panel(f.context(hub), nullptr);
    QStringList labels; // the hidden ones marked
    for (const TextLabel* l : panel.findChildren<TextLabel*>())
        labels << l->text() + (l->isHidden() ? QStringLiteral(" (hidden)") : QString());
    QCOMPARE(labels, (QStringList{"Номер заказа", "ФИО", "Адрес", "Телефон", "Стоимость сборки, руб.",
                                  "Стоимость доставки, руб.", "Дата оформления", "Дата готовности",
                                  "Карточка клиента: (hidden)"}));
}

void OrderPanelsTest::newOrderResetsTheCard() {
    ProjectFixture f;
    RecordingHub hub;
    ScriptedPrompts answers; // the changes are dropped
    DlgOrder panel(f.context(hub), nullptr);
    paste(panel.nameEdit(), "Петров");
    paste(panel.assemblyEdit(), "700");
    panel.newOrder();
    QVERIFY(f.project.orderCard.customerName.empty());
    QCOMPARE(f.project.orderCard.assemblyCost, 0);
    QVERIFY(panel.nameEdit()->text().isEmpty());
    QVERIFY(panel.assemblyEdit()->text().isEmpty());
    QCOMPARE(panel.numberEdit()->text(), QString::fromStdString(nextOrderNumber(f.folder)));
}

void OrderPanelsTest::savingAdvancesTheNumberAndOpensPrinting() {
    ProjectFixture f;
    RecordingHub hub;
    ScriptedPrompts answers;
    DlgOrder panel(f.context(hub), nullptr);
    int printOpened = 0;
    panel.setPrintOpener([&] { ++printOpened; });
    paste(panel.numberEdit(), "00017");
    const auto folder = uniqueTempFolder("order");
    answers.nextPath = QString::fromStdString((folder / "00017.dlx").string());
    panel.saveOrder();
    QCOMPARE(answers.lastInitialName, QStringLiteral("00017"));
    QCOMPARE(answers.lastFilter, QStringLiteral("Эскизы дверей (*.dlx)"));
    QVERIFY(answers.errors.isEmpty());
    QVERIFY(std::filesystem::exists(folder / "00017.dlx"));
    QCOMPARE(nextOrderNumber(f.folder), std::string("00018"));
    QCOMPARE(printOpened, 1);
    // Cancelling the dialog saves nothing.
    answers.nextPath.clear();
    panel.saveOrder();
    QCOMPARE(printOpened, 1);
    std::filesystem::remove_all(folder);
}

void OrderPanelsTest::failedSaveReportsAndAdvancesNothing() {
    ProjectFixture f;
    RecordingHub hub;
    ScriptedPrompts answers;
    DlgOrder panel(f.context(hub), nullptr);
    int printOpened = 0;
    panel.setPrintOpener([&] { ++printOpened; });
    const std::string numberBefore = nextOrderNumber(f.folder);
    const QString bad = QString::fromStdString((f.folder / "missing" / "x.dlx").string());
    answers.nextPath = bad;
    panel.saveOrder();
    QCOMPARE(answers.errors, QStringList{QStringLiteral("Ошибка сохранения файла ") + bad});
    QCOMPARE(answers.captions, QStringList{QStringLiteral("Ошибка")});
    QCOMPARE(nextOrderNumber(f.folder), numberBefore);
    QCOMPARE(printOpened, 0);
}

void OrderPanelsTest::aNumberAnotherProgramTookIsNotSavedAgain() {
    ProjectFixture f;
    RecordingHub hub;
    ScriptedPrompts answers;
    DlgOrder panel(f.context(hub), nullptr);
    const std::string offered = f.project.orderCard.orderNumber;
    claimOrderNumber(f.folder, offered, offered); // the other program saved its order with that number
    const auto folder = uniqueTempFolder("order");
    answers.nextPath = QString::fromStdString((folder / "x.dlx").string());
    panel.saveOrder();
    const QString next = QString::fromStdString(format("%05d", readInt(offered) + 1));
    QCOMPARE(answers.lastInitialName, next);
    QCOMPARE(panel.numberEdit()->text(), next);
    QCOMPARE(QString::fromStdString(nextOrderNumber(f.folder)),
             QString::fromStdString(format("%05d", readInt(offered) + 2)));
    std::filesystem::remove_all(folder);
}

void OrderPanelsTest::discountEditsFollowTheirRule_data() {
    QTest::addColumn<double>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("after");
    QTest::addColumn<QString>("shown");
    QTest::newRow("taken") << 0.0 << "15" << 15.0 << "15";
    QTest::newRow("above 100 snaps back") << 10.0 << "250" << 10.0 << "10";
    QTest::newRow("100 is taken") << 10.0 << "100" << 100.0 << "100";
    QTest::newRow("emptied reads as 0") << 10.0 << "" << 0.0 << "0";
    QTest::newRow("fraction pasted shows its whole part") << 0.0 << "7,5" << 7.5 << "7";
}

void OrderPanelsTest::discountEditsFollowTheirRule() {
    QFETCH(double, before);
    QFETCH(QString, typed);
    QFETCH(double, after);
    QFETCH(QString, shown);
    ProjectFixture f;
    RecordingHub hub;
    f.editor.apply(edit::SetDiscount{before});
    QCOMPARE(f.project.discountPercent, before);
    SumDlg panel(f.context(hub), nullptr);
    QSignalSpy announced(&f.document, &OrderDocument::totalsChanged);
    paste(panel.discountEdit(), typed);
    QCOMPARE(f.project.discountPercent, after);
    QCOMPARE(f.project.result.discountPercent, after);
    QCOMPARE(panel.discountEdit()->text(), shown);
    QVERIFY(announced.count() >= (typed == "250" ? 0 : 1));
    QCOMPARE(panel.totalText(), QString::fromStdString(f.project.grandTotalText()));
}

void OrderPanelsTest::discountReloadShowsTheProjectDiscount() {
    ProjectFixture f;
    RecordingHub hub;
    SumDlg panel(f.context(hub), nullptr);
    QCOMPARE(panel.discountEdit()->text(), QStringLiteral("0"));
    QVERIFY(f.editor.apply(edit::SetDiscount{33.9}));
    QCOMPARE(panel.discountEdit()->text(), QStringLiteral("33"));
    // Reloading does not feed back into the Project.
    QCOMPARE(f.project.discountPercent, 33.9);
    QVERIFY(f.document.undo());
    QVERIFY(!f.document.canUndo());
    QCOMPARE(panel.discountEdit()->text(), QStringLiteral("0"));
}

QTEST_MAIN(OrderPanelsTest)
#include "order_panels_test.moc"
