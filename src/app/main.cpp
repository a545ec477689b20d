// The desktop program: builds the catalogue and the one Project from the folders beside the executable and
// shows the main window until it is closed. The command line is accepted but has no effect: the program
// always starts with the default project.
#include "dalvex_app.h"
#include "main_window.h"

#include <QMessageBox>
#include <QStringList>

int main(int argc, char** argv) {
    CDalvexApp app(argc, argv);
    dalvex::ui::CDalvexDlg window(app.project(), app.artwork());
    window.show();
    if (!app.cuttingProblems().empty()) {
        QStringList lines;
        for (const std::string& line : app.cuttingProblems())
            lines << QString::fromStdString(line);
        QMessageBox::warning(&window, QStringLiteral("Раскрой профилей"), lines.join(QLatin1Char('\n')));
    }
    return app.exec();
}
