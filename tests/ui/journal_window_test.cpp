// "Журнал заказов" in the desktop program: saves recorded under the number they take, the list found as the
// user types, an order opened from its file or from the journal, its status changed and a payment added.
#include "journal/dlg_journal.h"
#include "sketch_view/draft_dlg.h"
#include "journal/dlg_payment.h"
#include "files/sketch_link.h"
#include "journal_export.h"
#include "journal_session.h"
#include "journal/journal_table_model.h"
#include "window/main_window.h"
#include "order_record.h"
#include "project/project_files.h"
#include "widgets/qt_text.h"
#include "window/recovery.h"
#include "printing/report_printer.h"
#include "panels/top_panel_dlg.h"
#include "ui_test_support.h"

#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using namespace dalvex;
using namespace dalvex::ui;
using dalvex::ui::test::ProjectFixture;
using dalvex::ui::test::ScriptedPrompts;

class JournalWindowTest : public QObject {
    Q_OBJECT

private slots:
    void aSaveTakesTheOfferedNumberAndIsRecorded();
    void theWindowFindsOpensAndFollowsOrders();
    void anOrderWhoseFileIsGoneOpensFromTheJournal();
    void anyVersionOfAnOrderOpensFromItsList();
    void aJournalThatIsOffSaysWhy();
    void aLinkFromTheShopsPageIsANewRecordedOrder();
    void theKeyboardComesBackWhenTheJournalCloses();
    void thePaymentDialogShowsItsWholeTitle();
    void theDateFieldsShowTheWholeYear();
};

namespace {

struct Window {
    ScriptedPrompts scripted;
    ProjectFixture f;
    QString folder = QString::fromStdString(test::uniqueTempFolder("journal").string());
    journal::JournalSession session{toPath(folder) / "journal.sqlite", f.project.configFolder()};
    CDalvexDlg window{f.project, f.artwork, folder, &session};

    ~Window() {
        window.recovery()->discard(); // lets go of its lock before the folder goes
        QDir(folder).removeRecursively();
    }

    journal::Journal& journal() { return *session.journal(); }
    // An order of the given customer saved to its own file and recorded, as a save of the program does.
    QString saveOrder(const std::string& number, const std::string& customer, const std::string& phone) {
        OrderCard card = f.project.orderCard;
        card.orderNumber = number;
        card.customerName = customer;
        card.phone = phone;
        window.document()->editor().apply(edit::SetOrderCard{card});
        const QString path =
            folder + QStringLiteral("/") + QString::fromStdString(number) + QStringLiteral(".dlx");
        if (f.project.save(toPath(path)) != 0) return {};
        session.record(
            journal::recordOf(f.project, path.toStdString(), writeSketchBytes(f.project), 1700000000));
        return path;
    }
    DlgJournal* open() {
        window.showJournal();
        return window.journalWindow();
    }
};

} // namespace

void JournalWindowTest::aSaveTakesTheOfferedNumberAndIsRecorded() {
    Window w;
    QVERIFY(w.session.on());
    QCOMPARE(w.f.project.orderCard.orderNumber, std::string("00001"));
    // Another program takes the offered number meanwhile: this save takes the next one.
    journal::OrderRecord other;
    other.card.orderNumber = "00001";
    QVERIFY(w.journal().record(other));

    w.scripted.nextPath = w.folder + QStringLiteral("/эскиз.dlx");
    w.window.topPanel()->saveSketch();
    QCOMPARE(w.f.project.orderCard.orderNumber, std::string("00002"));
    QVERIFY(w.journal().order(2));
    QCOMPARE(w.journal().order(2).value().versions.size(), size_t{1});
    QCOMPARE(nextOrderNumber(w.f.project.configFolder()), std::string("00003"));

    // Saved again: a second version of the same order, no new number.
    QVERIFY(w.window.document()->editor().apply(edit::SetWidth{28000}));
    w.window.topPanel()->saveSketch();
    QCOMPARE(w.journal().order(2).value().versions.size(), size_t{2});
    QCOMPARE(w.journal().order(2).value().latest.width, 28000);
    QCOMPARE(nextOrderNumber(w.f.project.configFolder()), std::string("00003"));
    QVERIFY(w.scripted.errors.isEmpty());
}

void JournalWindowTest::theWindowFindsOpensAndFollowsOrders() {
    Window w;
    w.saveOrder("00011", "Иванов Пётр", "8 (912) 345-67-89");
    w.saveOrder("00012", "Ёлкина Анна", "+7 343 210-00-11");
    const QString ivanova = w.saveOrder("00013", "Иванова Ирина", "");
    DlgJournal* j = w.open();
    QVERIFY(j);
    QCOMPARE(j->model()->total(), int64_t{3});

    const struct {
        QString typed;
        int64_t found;
    } searches[] = {{QStringLiteral("иван"), 2},       {QStringLiteral("ЕЛКИН"), 1},
                    {QStringLiteral("8 912 345"), 1},  {QStringLiteral("00013"), 1},
                    {QStringLiteral("нет такого"), 0}, {QString(), 3}};
    for (const auto& s : searches) {
        j->searchEdit()->setText(s.typed);
        QTRY_COMPARE(j->model()->total(), s.found);
    }
    j->statusFilter()->setCurrentIndex(1 + static_cast<int>(journal::OrderStatus::Ready));
    QCOMPARE(j->model()->total(), int64_t{0});
    j->statusFilter()->setCurrentIndex(0);

    // The status of the selected order, then a payment through the dialog.
    j->selectNumber(12);
    QCOMPARE(j->selectedNumber(), int64_t{12});
    j->setSelectedStatus(journal::OrderStatus::InProduction);
    QCOMPARE(w.journal().order(12).value().summary.status, journal::OrderStatus::InProduction);
    QCOMPARE(j->selectedNumber(), int64_t{12});
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<DlgPayment*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->amountEdit()->text(), QStringLiteral("16031,32")); // what is left to pay
        dialog->amountEdit()->setText(QStringLiteral("5000,50"));
        dialog->noteBox()->setCurrentText(QStringLiteral("Предоплата"));
        dialog->accept();
    });
    j->addPayment();
    const auto paid = w.journal().order(12).value();
    QCOMPARE(paid.summary.paid, int64_t{500050});
    QCOMPARE(paid.payments.at(0).note, std::string("Предоплата"));
    QVERIFY(j->details()->text().contains(QStringLiteral("остаток 11030,82")));

    // A double-click opens the order from its file, after the question about unsaved changes.
    w.scripted.saveAnswer = SaveAnswer::Discard;
    QVERIFY(w.window.document()->editor().apply(edit::SetWidth{25000}));
    j->selectNumber(13);
    j->openSelected();
    QCOMPARE(w.scripted.saveQuestions, 1);
    QCOMPARE(w.f.project.orderCard.customerName, std::string("Иванова Ирина"));
    QCOMPARE(w.window.document()->filePath(), ivanova);
    QVERIFY(!w.window.document()->modified());

    // The rows found, as a workbook.
    j->searchEdit()->setText(QStringLiteral("иван"));
    j->refresh();
    w.scripted.nextPath = w.folder + QStringLiteral("/журнал.xml");
    j->exportRows();
    QFile book(w.scripted.nextPath);
    QVERIFY(book.open(QIODevice::ReadOnly));
    const QByteArray bytes = book.readAll();
    QVERIFY(bytes.contains("00011") && bytes.contains("00013") && !bytes.contains("00012"));
    // And printed, here to a PDF file.
    const QString pdf = w.folder + QStringLiteral("/журнал.pdf");
    const PrintDialogPrompt saved = printDialogPrompt();
    printDialogPrompt() = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    j->printRows();
    printDialogPrompt() = saved;
    QVERIFY(QFileInfo(pdf).size() > 1000);
    QVERIFY(w.scripted.errors.isEmpty());
}

void JournalWindowTest::anOrderWhoseFileIsGoneOpensFromTheJournal() {
    Window w;
    const QString path = w.saveOrder("00021", "Смирнов", "");
    const std::string recorded = writeSketchBytes(w.f.project);
    QVERIFY(QFile::remove(path));
    w.window.document()->newOrder();
    DlgJournal* j = w.open();
    j->selectNumber(21);
    j->openSelected();
    QCOMPARE(w.f.project.orderCard.customerName, std::string("Смирнов"));
    QCOMPARE(writeSketchBytes(w.f.project), recorded);
    // An order taken from the journal has no file yet: saving asks where, and closing asks first.
    QVERIFY(w.window.document()->filePath().isEmpty());
    QVERIFY(w.window.document()->modified());
}

void JournalWindowTest::anyVersionOfAnOrderOpensFromItsList() {
    Window w;
    QVERIFY(w.window.document()->editor().apply(edit::SetWidth{25000}));
    w.saveOrder("00031", "Орлов", "");
    const std::string first = writeSketchBytes(w.f.project);
    QVERIFY(w.window.document()->editor().apply(edit::SetWidth{28000}));
    const QString path = w.saveOrder("00031", "Орлов", "");
    DlgJournal* j = w.open();
    j->selectNumber(31);
    auto* versions = j->findChild<QTableWidget*>(QStringLiteral("versions"));
    auto* openVersion = j->findChild<QPushButton*>(QStringLiteral("openVersion"));
    QVERIFY(versions && openVersion);
    // Newest first, each with its time, total and file; a desk's own journal names no desks.
    QCOMPARE(versions->rowCount(), 2);
    const auto d = w.journal().order(31).value();
    QCOMPARE(versions->item(0, 1)->text(), qs(journal::moneyText(d.versions[1].grandTotal)) + QStringLiteral(" руб."));
    QCOMPARE(versions->item(1, 0)->text(), QDateTime::fromSecsSinceEpoch(1700000000).toString("dd.MM.yyyy hh:mm"));
    QCOMPARE(versions->item(1, 3)->text(), path);
    QVERIFY(versions->isColumnHidden(2));
    QVERIFY(!openVersion->isEnabled());

    // The earlier version, after the question about unsaved changes: the file holds the later one, so it opens
    // as an order not saved yet, and its save is the order's next version, refused by no one.
    versions->selectRow(1);
    QVERIFY(openVersion->isEnabled());
    QVERIFY(w.window.document()->editor().apply(edit::SetHeight{24000}));
    w.scripted.saveAnswer = SaveAnswer::Discard;
    openVersion->click();
    QCOMPARE(w.scripted.saveQuestions, 1);
    QCOMPARE(writeSketchBytes(w.f.project), first);
    QVERIFY(w.window.document()->filePath().isEmpty());
    w.scripted.nextPath = path;
    w.window.topPanel()->saveSketch();
    QCOMPARE(w.journal().order(31).value().versions.size(), size_t{3});
    QCOMPARE(w.journal().order(31).value().latest.width, 25000);
    QVERIFY(w.scripted.errors.isEmpty());
}

void JournalWindowTest::aJournalThatIsOffSaysWhy() {
    ScriptedPrompts scripted;
    ProjectFixture f;
    const QString folder = QString::fromStdString(test::uniqueTempFolder("journal-off").string());
    QFile garbage(folder + QStringLiteral("/journal.sqlite"));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    journal::JournalSession session(toPath(garbage.fileName()), f.project.configFolder());
    CDalvexDlg window{f.project, f.artwork, folder, &session};
    window.showJournal();
    QVERIFY(!window.journalWindow());
    QCOMPARE(scripted.errors.size(), 1);
    QVERIFY(scripted.errors.front().contains(garbage.fileName()));
    // Saving still works, and says once that the journal will take the order at the next start.
    scripted.nextPath = folder + QStringLiteral("/эскиз.dlx");
    window.topPanel()->saveSketch();
    window.topPanel()->saveSketch();
    QVERIFY(QFile::exists(scripted.nextPath));
    QCOMPARE(scripted.errors.size(), 2);
    QVERIFY(scripted.errors.back().contains(QStringLiteral("при следующем запуске")));
    QDir(folder).removeRecursively();
}

void JournalWindowTest::aLinkFromTheShopsPageIsANewRecordedOrder() {
    Window w;
    w.window.show();
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    // The customer's order as the shop's page sends it: their name and phone, a number of the page's own.
    OrderCard card = w.f.project.orderCard;
    card.orderNumber = "00042";
    card.customerName = "Петров Иван";
    card.phone = "+7 916 123-45-67";
    QVERIFY(w.window.document()->editor().apply(edit::SetOrderCard{card}));
    QVERIFY(w.window.document()->editor().apply(edit::SetDoorCount{2}));
    const QString page = QStringLiteral("https://двери.рф/заказ/index.html");
    const QString link = qs(sketchLink(page.toStdString(), writeSketchBytes(w.f.project)));
    w.window.document()->newOrder();

    enum class Way { Paste, OpenDialog };
    const struct {
        Way way;
        QString text;
        int64_t recordedAs; // 0: refused
    } cases[] = {
        {Way::Paste, QStringLiteral("  ") + link + QStringLiteral("\n"), 1},
        {Way::OpenDialog, link, 2},
        {Way::Paste, page, 0},
        {Way::Paste, page + QStringLiteral("#dlx=не base64"), 0},
        {Way::OpenDialog, qs(sketchLink(page.toStdString(), std::string("\x06") + "не эскиз")), 0},
    };
    for (const auto& c : cases) {
        const std::string before = writeSketchBytes(w.f.project);
        const qsizetype errors = w.scripted.errors.size();
        if (c.way == Way::Paste) {
            QGuiApplication::clipboard()->setText(c.text);
            QTest::keyClick(&w.window, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            w.scripted.nextPath = c.text;
            w.window.topPanel()->openSketch();
        }
        if (c.recordedAs == 0) {
            QCOMPARE(w.scripted.errors.size(), errors + 1);
            QCOMPARE(w.scripted.errors.back(), qs(kNotASketchLinkMessage));
            QCOMPARE(writeSketchBytes(w.f.project), before);
            continue;
        }
        QCOMPARE(w.scripted.errors.size(), errors);
        // A new order of the shop: the next number, recorded at once as an estimate; no file holds it yet.
        QCOMPARE(w.f.project.orderCard.orderNumber,
                 QStringLiteral("%1").arg(c.recordedAs, 5, 10, QChar('0')).toStdString());
        QCOMPARE(w.f.project.orderCard.customerName, card.customerName);
        QCOMPARE(w.f.project.doorCount, 2);
        const auto recorded = w.journal().order(c.recordedAs);
        QVERIFY(recorded);
        QCOMPARE(recorded.value().summary.status, journal::OrderStatus::Estimate);
        QCOMPARE(recorded.value().summary.phone, card.phone);
        QCOMPARE(recorded.value().versions.size(), size_t{1});
        QVERIFY(w.window.document()->filePath().isEmpty());
        QVERIFY(w.window.document()->modified());
        QCOMPARE(nextOrderNumber(w.f.project.configFolder()),
                 QStringLiteral("%1").arg(c.recordedAs + 1, 5, 10, QChar('0')).toStdString());
    }
    QCOMPARE(w.journal().find({}).value().size(), size_t{2});
}

void JournalWindowTest::theKeyboardComesBackWhenTheJournalCloses() {
    Window w;
    w.window.show();
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QWidget* const controls[] = {w.window.draftView(), w.window.topPanel()->widthEdit()};
    for (QWidget* before : controls) {
        before->setFocus(Qt::TabFocusReason);
        DlgJournal* journal = w.open();
        QVERIFY(QTest::qWaitForWindowActive(journal));
        journal->close();
        QVERIFY(!journal->isVisible());
        w.window.activateWindow(); // as the window manager does when the journal closes
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QCOMPARE(w.window.focusWidget(), before);
    }
}

void JournalWindowTest::thePaymentDialogShowsItsWholeTitle() {
    for (const QString& order : {QStringLiteral("00001"), QStringLiteral("2026-00123-К")}) {
        DlgPayment dialog(order, 150000, nullptr);
        dialog.show();
        const int title = QFontMetrics(QApplication::font()).horizontalAdvance(dialog.windowTitle());
        QVERIFY(dialog.width() >= title * 3 / 2 + 120);
        // A dialog of one question: closed, never minimised or maximised.
        const Qt::WindowFlags flags = dialog.windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }
}

// However narrow the window is made, a period's dates keep the width their text and their calendar button need.
void JournalWindowTest::theDateFieldsShowTheWholeYear() {
    Window w;
    DlgJournal* journal = w.open();
    journal->resize(journal->minimumSizeHint());
    QCoreApplication::processEvents();
    const QList<QDateEdit*> dates = journal->findChildren<QDateEdit*>();
    QCOMPARE(dates.size(), 2);
    for (QDateEdit* date : dates) {
        QVERIFY(date->isVisible());
        QVERIFY2(date->width() >= date->sizeHint().width(), qPrintable(date->text()));
    }
    journal->close();
}

QTEST_MAIN(JournalWindowTest)
#include "journal_window_test.moc"
