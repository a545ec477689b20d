// The desktop program: builds the catalogue and the one Project from the data folders and shows the main
// window until it is closed. `dalvex FILE.dlx` starts on that file; --data DIR reads the data folders there;
// --version and --help print and exit without a display; --quit-after-start closes once the window is painted
// (an error goes to standard error and the exit code is 1).
#include "dalvex_app.h"
#include "window/main_window.h"
#include "window/open_files.h"
#include "window/prompts.h"

#include <QCommandLineParser>
#include <QEvent>
#include <QMessageBox>
#include <QStringList>
#include <QTextStream>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

namespace {

// Ends the event loop once the window has been painted for the first time, so that a start with
// --quit-after-start goes as far as a user's start does.
class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget& window) : window_(window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // After the paint itself, once the event loop has the picture out.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget& window_;
    bool painted_ = false;
};

// What could not be read at start, in one message box (nothing when all was read).
void warnAtStart(QWidget& window, const QString& title, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    QStringList texts;
    for (const std::string& line : lines)
        texts << QString::fromStdString(line);
    QMessageBox::warning(&window, title, texts.join(QLatin1Char('\n')));
}

} // namespace

int main(int argc, char** argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Расчёт раздвижных дверей шкафов-купе"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Эскиз дверей (*.dlx) для открытия"),
                                 QStringLiteral("[FILE.dlx]"));
    QCommandLineOption quit(QStringLiteral("quit-after-start"),
                            QStringLiteral("Вывести заголовок окна и закрыться (для проверки установки); "
                                           "ошибки выводятся в стандартный поток ошибок"));
    parser.addOption(quit);
    // Read by the application object before the parser runs; listed here for --help.
    parser.addOption(
        QCommandLineOption(QStringLiteral("data"),
                           QStringLiteral("Папка с данными (profiles, materials, config) вместо той, "
                                          "что рядом с программой"),
                           QStringLiteral("DIR")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("journal"),
                           QStringLiteral("Журнал заказов в этом файле (или на сервере postgresql://…) "
                                          "вместо обычного"),
                           QStringLiteral("FILE")));
    {
        // --help and --version are answered before the desktop starts: they need no display. Qt's own
        // options (-platform …) are known only to the application below, which checks the rest.
        QCoreApplication probe(argc, argv);
        CDalvexApp::nameTheProgram();
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(help)) parser.showHelp();
        if (parser.isSet(version)) parser.showVersion();
    }

    CDalvexApp app(argc, argv);
    parser.process(app);
    const bool quitAfterStart = parser.isSet(quit);
    bool failed = false;
    if (quitAfterStart) {
        // Nobody is there to answer a message box: the message goes to standard error and the start fails.
        dalvex::ui::prompts().error = [&failed](QWidget*, const QString& text, const QString&) {
            QTextStream(stderr) << text << Qt::endl;
            failed = true;
        };
    }
    const QStringList files = parser.positionalArguments();
    // A double-click on a sketch another running program has open brings that program forward instead.
    dalvex::ui::OpenFiles openFiles;
    if (!files.isEmpty() && !quitAfterStart && openFiles.openElsewhere(files.constFirst())) {
        openFiles.callForward(files.constFirst());
        return 0;
    }
    dalvex::ui::CDalvexDlg window(app.project(), app.artwork(), {}, &app.journal());
    window.shareOpenFiles(openFiles);
    std::unique_ptr<QuitAfterFirstPaint> watcher;
    if (quitAfterStart) watcher = std::make_unique<QuitAfterFirstPaint>(window);
    window.show();
    // A check of the installation does not take over the work a crash left: that waits for the user.
    window.start(files.isEmpty() ? QString() : files.constFirst(), !quitAfterStart);
    if (quitAfterStart) {
        if (failed) return 1;
        // A window system that never paints the window still lets the program end.
        QTimer::singleShot(10000, qApp, &QCoreApplication::quit);
        app.exec();
        // What was opened, for the installation check.
        QTextStream(stdout) << window.windowTitle() << Qt::endl;
        return 0;
    }
    // A journal that cannot be used leaves the program working without it, after saying so once.
    if (!app.journal().on())
        QMessageBox::warning(&window, QStringLiteral("Журнал заказов"),
                             QString::fromStdString(app.journal().offMessage()));
    warnAtStart(window, QStringLiteral("Прайс-листы"), app.project().catalogue().priceListWarnings());
    warnAtStart(window, QStringLiteral("Раскрой профилей"), app.cuttingProblems());
    return app.exec();
}
