// The desktop program started as a user or an installation script starts it: the answers that need no
// display, and a start told to end by itself that cannot wait for anyone to close a message box.
#include "ui_test_support.h"

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
    const QString missing = QString::fromStdString((folder / "нет.dlx").string());
    const Run run = runProgram({QStringLiteral("--quit-after-start"), missing}, QStringLiteral("offscreen"));
    std::filesystem::remove_all(folder);
    QVERIFY2(run.ended, "the program waited for a message box nobody could close");
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("Ошибка открытия файла ") + missing), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "program_start_test.moc"
