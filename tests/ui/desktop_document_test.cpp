// The order as a desktop document: the file named at start, the title with the modified mark, the question
// before unsaved changes are lost, and the recovery file kept while they are unsaved.
#include "panels/dlg_order.h"
#include "dialogs/dlg_print.h"
#include "window/main_window.h"
#include "document/order_document.h"
#include "project/project_files.h"
#include "window/recent_files.h"
#include "window/recovery.h"
#include "panels/top_panel_dlg.h"
#include "ui_test_support.h"

#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

using namespace dalvex;
using namespace dalvex::ui;
using dalvex::ui::test::ProjectFixture;
using dalvex::ui::test::ScriptedPrompts;

Q_DECLARE_METATYPE(dalvex::ui::SaveAnswer)

class DesktopDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnTheFileNamed();
    void titleShowsTheFileAndTheModifiedMark();
    void asksBeforeUnsavedChangesAreLost_data();
    void asksBeforeUnsavedChangesAreLost();
    void aTypingUnderWayIsAnUnsavedChange();
    void recoveryFileIsWrittenOfferedAndRemoved();
    void aSaveRemovesTheRecoveryFileAndARestoreKeepsTheName();
    void droppedAndRecentFilesOpen();
    void fileCommandsWorkAsInEveryDesktopProgram();
};

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Window {
    ScriptedPrompts scripted;
    ProjectFixture f;
    QString folder = test::qtPath(test::uniqueTempFolder("document"));
    CDalvexDlg window{f.project, f.artwork, folder};
    QString ivanov = folder + QStringLiteral("/Иванов.dlx");

    Window() { QVERIFY(f.project.save(toPath(ivanov)) == 0); }
    ~Window() {
        window.recovery()->discard(); // lets go of its lock before the folder goes
        QDir(folder).removeRecursively();
    }
    void change(int32_t width) { QVERIFY(window.document()->editor().apply(edit::SetWidth{width})); }
    QByteArray orderBytes() const { return QByteArray::fromStdString(writeSketchBytes(f.project)); }
};

bool openSketchFileFor(Window& w, const QString& path) {
    w.scripted.nextPath = path;
    w.window.topPanel()->openSketch();
    return w.window.document()->filePath() == path;
}

} // namespace

void DesktopDocumentTest::startsOnTheFileNamed() {
    Window w;
    w.change(24000);
    QVERIFY(w.f.project.save(toPath(w.ivanov)) == 0);
    const QByteArray saved = w.orderBytes();

    ProjectFixture fresh;
    CDalvexDlg window(fresh.project, fresh.artwork, w.folder);
    window.start(w.ivanov);
    QCOMPARE(QByteArray::fromStdString(writeSketchBytes(fresh.project)), saved);
    QCOMPARE(window.windowTitle(), QStringLiteral("Иванов.dlx — dalvex"));

    // A file that cannot be opened: the usual message, and the default project stays.
    ProjectFixture other;
    // Its own defaults: the card's dates are the second the project was made.
    const QByteArray defaults = QByteArray::fromStdString(writeSketchBytes(other.project));
    CDalvexDlg second(other.project, other.artwork, w.folder);
    second.start(w.folder + QStringLiteral("/нет.dlx"));
    QCOMPARE(w.scripted.errors.size(), 1);
    QVERIFY(w.scripted.errors.constFirst().startsWith(QStringLiteral("Ошибка открытия файла ")));
    QCOMPARE(QByteArray::fromStdString(writeSketchBytes(other.project)), defaults);
    QCOMPARE(second.windowTitle(), QStringLiteral("dalvex"));
}

void DesktopDocumentTest::titleShowsTheFileAndTheModifiedMark() {
    Window w;
    QCOMPARE(w.window.windowTitle(), QStringLiteral("dalvex"));
    w.change(24000);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Без имени* — dalvex"));
    // Saving names the order and clears the mark; the save dialog proposes the open file's name next time.
    w.scripted.nextPath = w.ivanov;
    w.window.topPanel()->saveSketch();
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Иванов.dlx — dalvex"));
    QCOMPARE(w.scripted.lastInitialName, QStringLiteral("эскиз"));
    w.change(25000);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Иванов.dlx* — dalvex"));
    // "Сохранить as" proposes the open file's name.
    w.scripted.nextPath.clear();
    w.window.topPanel()->saveSketchAs();
    QCOMPARE(w.scripted.lastInitialName, w.ivanov);
    // Undoing back to the saved state clears the mark again.
    QVERIFY(w.window.document()->undo());
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Иванов.dlx — dalvex"));
}

void DesktopDocumentTest::asksBeforeUnsavedChangesAreLost_data() {
    QTest::addColumn<int>("action"); // 0 closing the window, 1 "Открыть", 2 "Новый заказ"
    QTest::addColumn<SaveAnswer>("answer");
    const char* actions[] = {"close", "open", "new order"};
    const std::pair<SaveAnswer, const char*> answers[] = {
        {SaveAnswer::Save, "save"}, {SaveAnswer::Discard, "discard"}, {SaveAnswer::Cancel, "cancel"}};
    for (int action = 0; action < 3; ++action)
        for (const auto& [answer, name] : answers)
            QTest::addRow("%s, %s", actions[action], name) << action << answer;
}

void DesktopDocumentTest::asksBeforeUnsavedChangesAreLost() {
    QFETCH(int, action);
    QFETCH(SaveAnswer, answer);
    Window w;
    const QString other = w.folder + QStringLiteral("/Петров.dlx");
    QVERIFY(w.f.project.save(toPath(other)) == 0);
    w.window.show();
    w.window.start(w.ivanov);
    w.f.project.orderCard.customerName = "Иванов";
    w.change(24000);
    const QByteArray edited = w.orderBytes();
    w.scripted.saveAnswer = answer;
    w.scripted.nextPath = other;

    auto act = [&] {
        switch (action) {
        case 0:
            return w.window.close();
        case 1:
            w.window.topPanel()->openSketch();
            return w.window.document()->filePath() == other;
        default:
            w.window.orderPanel()->newOrder();
            return w.f.project.orderCard.customerName.empty();
        }
    };
    const bool done = act();
    QCOMPARE(w.scripted.saveQuestions, 1);
    QCOMPARE(done, answer != SaveAnswer::Cancel);
    // Сохранить writes the open file without a dialog; the others leave it as it was opened.
    QCOMPARE(w.scripted.saveDialogs, 0);
    QCOMPARE(fileBytes(w.ivanov) == edited, answer == SaveAnswer::Save);
    if (answer == SaveAnswer::Cancel) {
        QCOMPARE(w.orderBytes(), edited);
        QVERIFY(w.window.document()->modified());
    }

    // Nothing unsaved: no question.
    w.window.document()->markSaved();
    w.window.topPanel()->openSketch();
    QCOMPARE(w.scripted.saveQuestions, 1);
}

void DesktopDocumentTest::aTypingUnderWayIsAnUnsavedChange() {
    Window w;
    w.window.show();
    QLineEdit* width = w.window.topPanel()->widthEdit();
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("2400"));
    w.window.recovery()->keepNow();
    QVERIFY(QFile::exists(w.window.recovery()->path()));
    w.scripted.saveAnswer = SaveAnswer::Cancel;
    QVERIFY(!w.window.close());
    QCOMPARE(w.scripted.saveQuestions, 1);
}

void DesktopDocumentTest::recoveryFileIsWrittenOfferedAndRemoved() {
    Window w;
    RecoveryKeeper& recovery = *w.window.recovery();
    QVERIFY(recovery.path().startsWith(w.folder));
    recovery.keepNow();
    QVERIFY(!QFile::exists(recovery.path())); // nothing unsaved, nothing written
    w.change(24000);
    recovery.keepNow();
    const QByteArray edited = w.orderBytes();
    QCOMPARE(fileBytes(recovery.path()), edited);

    // A second program running meanwhile does not take the first one's work for a crash.
    {
        ProjectFixture other;
        CDalvexDlg second(other.project, other.artwork, w.folder);
        second.start({});
        QVERIFY(w.scripted.choices.isEmpty());
        QVERIFY(second.recovery()->path() != recovery.path());
        QCOMPARE(fileBytes(recovery.path()), edited);
    }

    // A clean exit removes it.
    w.scripted.saveAnswer = SaveAnswer::Discard;
    w.window.show();
    QVERIFY(w.window.close());
    QVERIFY(!QFile::exists(recovery.path()));

    // Left by a crash, it is offered at the next start: accepted it comes back unsaved, declined it goes.
    for (const bool accept : {true, false}) {
        QFile file(recovery.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(edited);
        file.close();
        ProjectFixture next;
        const QByteArray defaults = QByteArray::fromStdString(writeSketchBytes(next.project));
        w.scripted.choices.clear();
        w.scripted.chooseFirst = accept;
        CDalvexDlg window(next.project, next.artwork, w.folder);
        window.start({});
        QCOMPARE(
            w.scripted.choices,
            QStringList{QStringLiteral("Программа была закрыта аварийно. Восстановить несохранённый заказ? / "
                                       "Восстановить / Не восстанавливать")});
        QCOMPARE(QByteArray::fromStdString(writeSketchBytes(next.project)), accept ? edited : defaults);
        QCOMPARE(window.windowTitle(),
                 accept ? QStringLiteral("Без имени* — dalvex") : QStringLiteral("dalvex"));
        QCOMPARE(QFile::exists(recovery.path()), accept);
    }
}

void DesktopDocumentTest::aSaveRemovesTheRecoveryFileAndARestoreKeepsTheName() {
    Window w;
    RecoveryKeeper& recovery = *w.window.recovery();
    QVERIFY(openSketchFileFor(w, w.ivanov));
    w.change(24000);
    recovery.keepNow();
    const QByteArray kept = fileBytes(recovery.path());
    const QByteArray name = fileBytes(recovery.namePath());
    QCOMPARE(QString::fromUtf8(name), w.ivanov);
    // Saved within the minute: nothing older than the file is left to come back after a crash.
    w.change(25000);
    w.scripted.nextPath = w.ivanov;
    w.window.topPanel()->saveSketch();
    QVERIFY(!w.window.document()->modified());
    QVERIFY(!QFile::exists(recovery.path()));
    QVERIFY(!QFile::exists(recovery.namePath()));

    // What a crash before the save leaves comes back under the file's own name, still to be saved.
    recovery.discard();
    for (const auto& [path, bytes] :
         {std::pair{recovery.path(), kept}, std::pair{recovery.namePath(), name}}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    ProjectFixture next;
    CDalvexDlg window(next.project, next.artwork, w.folder);
    window.start({});
    QCOMPARE(window.document()->filePath(), w.ivanov);
    QCOMPARE(window.windowTitle(), QStringLiteral("Иванов.dlx* — dalvex"));
    window.recovery()->discard();
}

void DesktopDocumentTest::droppedAndRecentFilesOpen() {
    Window w;
    const QString petrov = w.folder + QStringLiteral("/Петров.dlx");
    w.change(24000);
    QVERIFY(w.f.project.save(toPath(petrov)) == 0);
    w.window.document()->markSaved();

    // Only a sketch file is taken from a drop.
    for (const QString& dropped : {w.folder + QStringLiteral("/заказ.txt"), petrov}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dropped)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w.window, &enter);
        QCOMPARE(enter.isAccepted(), dropped == petrov);
        if (!enter.isAccepted()) continue;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w.window, &drop);
    }
    QCOMPARE(w.window.document()->filePath(), petrov);

    // The recent files, the latest first, open from the menu of "Открыть".
    QVERIFY(openSketchFileFor(w, w.ivanov));
    QMenu* menu = w.window.topPanel()->recentFilesMenu();
    const QList<QAction*> actions = menu->actions();
    QVERIFY(actions.size() >= 2);
    QCOMPARE(actions[0]->text(), QStringLiteral("Иванов.dlx"));
    QCOMPARE(actions[1]->text(), QStringLiteral("Петров.dlx"));
    actions[1]->trigger();
    QCOMPARE(w.window.document()->filePath(), petrov);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Петров.dlx — dalvex"));
    delete menu;
}

void DesktopDocumentTest::fileCommandsWorkAsInEveryDesktopProgram() {
    Window w;
    // The first file dialog starts in the documents folder.
    QSettings().remove(QStringLiteral("files/lastFolder"));
    QCOMPARE(lastFolder(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    w.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QVERIFY(openSketchFileFor(w, w.ivanov));
    const int dialogs = w.scripted.saveDialogs;

    // Сохранить and Ctrl+S write the open file without asking.
    for (const bool byKeys : {false, true}) {
        w.change(byKeys ? 26000 : 25000);
        if (byKeys)
            QTest::keySequence(&w.window, QKeySequence(Qt::CTRL | Qt::Key_S));
        else
            w.window.topPanel()->saveSketch();
        QCOMPARE(w.scripted.saveDialogs, dialogs);
        QCOMPARE(fileBytes(w.ivanov), w.orderBytes());
        QVERIFY(!w.window.document()->modified());
    }
    // Ctrl+Shift+S asks for another name.
    w.scripted.nextPath = w.folder + QStringLiteral("/Петров.dlx");
    QTest::keySequence(&w.window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QCOMPARE(w.scripted.saveDialogs, dialogs + 1);
    QCOMPARE(w.window.document()->filePath(), w.scripted.nextPath);

    // The question before changes are lost names the file.
    w.change(24000);
    w.scripted.saveAnswer = SaveAnswer::Cancel;
    w.scripted.lastFilter.clear();
    QTest::keySequence(&w.window, QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(w.scripted.saveQuestionTexts.constLast(),
             QStringLiteral("Сохранить изменения в файле «Петров.dlx»?"));
    // Ctrl+N begins a new order, Ctrl+O opens and Ctrl+P prints.
    w.scripted.saveAnswer = SaveAnswer::Discard;
    QTest::keySequence(&w.window, QKeySequence(Qt::CTRL | Qt::Key_N));
    QVERIFY(w.window.document()->filePath().isEmpty());
    w.scripted.nextPath = w.ivanov;
    QTest::keySequence(&w.window, QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(w.window.document()->filePath(), w.ivanov);
    QTest::keySequence(&w.window, QKeySequence(Qt::CTRL | Qt::Key_P));
    QVERIFY(w.window.topPanel()->printDialog()->isVisible());
    w.window.topPanel()->printDialog()->reject();
}

QTEST_MAIN(DesktopDocumentTest)
#include "desktop_document_test.moc"
