// The desktop program started as a user starts it, writing what a dealer writes for each sketch file named:
// opened with "Открыть", saved with "Сохранить" as "Эскиз NAME.dlx" and exported with "Сохранить в xml" as
// "Заказ NAME.xml" and "Заказ NAME.csv", the file dialogs answered with those names, each save recorded in the
// order journal. scripts/same_bytes.sh compares what the Windows and the Linux program write.
//   desktop_writer [--journal FILE] OUTPUT_FOLDER FILE.dlx...
#include "dalvex_app.h"
#include "dialogs/dlg_print.h"
#include "window/main_window.h"
#include "window/prompts.h"
#include "panels/top_panel_dlg.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>

using namespace dalvex::ui;

int main(int argc, char** argv) {
    CDalvexApp app(argc, argv);
    // Qt's parser of Qt's own list: on Windows it holds the names as typed, Cyrillic included.
    QCommandLineParser parser;
    // --journal is read by the application object; named here for the parser to let it pass.
    parser.addOption(QCommandLineOption(QStringLiteral("journal"), QString(), QStringLiteral("FILE")));
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: desktop_writer [--journal FILE] OUTPUT_FOLDER FILE.dlx...\n");
        return 2;
    }
    const QDir out(args[0]);
    // A recovery folder of its own: an order left by another run must not be offered.
    QTemporaryDir recovery;
    CDalvexDlg window(app.project(), app.artwork(), recovery.path(), &app.journal());
    window.show();

    QString answer;
    int failures = 0;
    prompts().openPath = [&](QWidget*, const QString&, const QString&) { return answer; };
    prompts().savePath = [&](QWidget*, const QString&, const QString&, const QString&) { return answer; };
    prompts().saveChanges = [](QWidget*, const QString&, const QString&) { return SaveAnswer::Discard; };
    prompts().error = [&](QWidget*, const QString& text, const QString&) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        ++failures;
    };
    TopPanelDlg* top = window.topPanel();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString name = QFileInfo(args[i]).completeBaseName();
        answer = args[i];
        top->openSketch();
        answer = out.filePath(QStringLiteral("Эскиз %1.dlx").arg(name));
        top->saveSketch();
        answer = out.filePath(QStringLiteral("Заказ %1.xml").arg(name));
        top->showExport();
        top->exportDialog()->accept();
    }
    return failures == 0 ? 0 : 1;
}
