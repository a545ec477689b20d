// The desktop program: builds the catalogue and the one Project from the data folders and shows the main
// window until it is closed. `dalvex FILE.dlx` starts on that file; --version and --help print and exit.
#include "dalvex_app.h"
#include "main_window.h"

#include <QCommandLineParser>
#include <QMessageBox>
#include <QStringList>
#include <QTextStream>

int main(int argc, char** argv) {
    CDalvexApp app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Расчёт раздвижных дверей шкафов-купе"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Эскиз дверей (*.dlx) для открытия"),
                                 QStringLiteral("[FILE.dlx]"));
    QCommandLineOption quit(QStringLiteral("quit-after-start"),
                            QStringLiteral("Вывести заголовок окна и закрыться (для проверки установки)"));
    parser.addOption(quit);
    parser.process(app);

    dalvex::ui::CDalvexDlg window(app.project(), app.artwork());
    window.show();
    const QStringList files = parser.positionalArguments();
    window.start(files.isEmpty() ? QString() : files.constFirst());
    if (parser.isSet(quit)) {
        // What was opened, for the installation check.
        QTextStream(stdout) << window.windowTitle() << Qt::endl;
        return 0;
    }
    if (!app.cuttingProblems().empty()) {
        QStringList lines;
        for (const std::string& line : app.cuttingProblems())
            lines << QString::fromStdString(line);
        QMessageBox::warning(&window, QStringLiteral("Раскрой профилей"), lines.join(QLatin1Char('\n')));
    }
    return app.exec();
}
