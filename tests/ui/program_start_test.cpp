// The desktop program started as a user or an installation script starts it: the answers that need no
// display, and a start told to end by itself that cannot wait for anyone to close a message box.
#include "ui_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    bool ended = false;
    int exitCode = -1; // -1: it crashed
    QString out;
    QString err;
};

// Runs the program on the Qt platform `platform`, without a display, and kills it after half a minute.
Run runProgram(const QStringList& arguments, const QString& platform) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(DALVEX_PROGRAM), arguments);
    Run run;
    run.ended = process.waitForFinished(30000);
    if (!run.ended) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class ProgramStartTest : public QObject {
    Q_OBJECT

private slots:
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
    void quitAfterStartReportsWhatCannotBeOpened();
    void aFileOpenInARunningProgramBringsItForward();
};

void ProgramStartTest::answersWithoutADisplay_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("expected");
    QTest::newRow("version") << QStringLiteral("--version") << QStringLiteral("dalvex ");
    QTest::newRow("help") << QStringLiteral("--help") << QStringLiteral("--quit-after-start");
}

void ProgramStartTest::answersWithoutADisplay() {
    QFETCH(QString, option);
    QFETCH(QString, expected);
    // A platform that cannot start stands for a machine without a display.
    const Run run = runProgram({option}, QStringLiteral("no-such-platform"));
    QVERIFY(run.ended);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(expected), qPrintable(run.out + run.err));
}

void ProgramStartTest::quitAfterStartReportsWhatCannotBeOpened() {
    const auto folder = dalvex::ui::test::uniqueTempFolder("start");
    const QString missing = dalvex::ui::test::qtPath(folder / dalvex::pathFromUtf8("нет.dlx"));
    const Run run = runProgram({QStringLiteral("--quit-after-start"), missing}, QStringLiteral("offscreen"));
    std::filesystem::remove_all(folder);
    QVERIFY2(run.ended, "the program waited for a message box nobody could close");
    QCOMPARE(run.exitCode, 1);
    // Named as the system writes file names.
    QVERIFY2(run.err.contains(QStringLiteral("Ошибка открытия файла ") + QDir::toNativeSeparators(missing)),
             qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

void ProgramStartTest::aFileOpenInARunningProgramBringsItForward() {
#if defined(Q_OS_WIN)
    QSKIP("the user's folder of a program started here cannot be put elsewhere on Windows");
#endif
    const auto folder = dalvex::ui::test::uniqueTempFolder("one-window");
    const QString root = dalvex::ui::test::qtPath(folder);
    const QString sketch = root + QStringLiteral("/Иванов.dlx");
    const QString cli =
        QFileInfo(QStringLiteral(DALVEX_PROGRAM)).absolutePath() + QStringLiteral("/dalvex-cli");
    QCOMPARE(QProcess::execute(cli, {QStringLiteral("save"), sketch}), 0);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
    const QDir open(root + QStringLiteral("/data/dalvex/dalvex/open"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QStringLiteral(DALVEX_PROGRAM), {sketch});
    QTRY_VERIFY_WITH_TIMEOUT(!open.entryList({QStringLiteral("*.lock")}).isEmpty(), 20000);

    // The same file, however its path is spelled: the second program hands it over and ends.
    for (const QString& given : {sketch, root + QStringLiteral("/data/../Иванов.dlx")}) {
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(QStringLiteral(DALVEX_PROGRAM), {given});
        QVERIFY2(second.waitForFinished(20000), qPrintable(given));
        QCOMPARE(second.exitCode(), 0);
        // The first program heard it: it takes the request away and goes on.
        QTRY_VERIFY_WITH_TIMEOUT(open.entryList({QStringLiteral("*.forward")}).isEmpty(), 10000);
        QCOMPARE(first.state(), QProcess::Running);
    }
    first.kill();
    first.waitForFinished();
    std::filesystem::remove_all(folder);
}

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "program_start_test.moc"
