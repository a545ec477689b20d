// The desktop program: builds the catalogue and the one Project from the folders beside the executable and
// shows the main window until it is closed.
#include "artwork.h"
#include "catalogue/catalogue.h"
#include "files/file_io.h"
#include "main_window.h"
#include "model/project.h"
#include "ui_context.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

class CDalvexApp : public QApplication {
public:
    CDalvexApp(int& argc, char** argv)
        : QApplication(argc, argv), catalogue_(dalvex::executableFolder()),
          project_(catalogue_, dalvex::executableFolder() / "config"), artwork_(catalogue_) {
        setApplicationName(QStringLiteral("dalvex"));
        setFont(dalvex::ui::applicationFont());
        // The command line is accepted but has no effect: the program always starts with the default project.
    }

    dalvex::Project& project() { return project_; }
    const dalvex::ui::Artwork& artwork() const { return artwork_; }

private:
    dalvex::Catalogue catalogue_;
    dalvex::Project project_;
    dalvex::ui::Artwork artwork_;
};

// Debug aids: DALVEX_STARTUP_TIMING prints the milliseconds from start to the first painted main window;
// DALVEX_SCREENSHOT=file.png saves a picture of the main window and quits.
void scheduleDebugAids(QWidget& window, const QElapsedTimer& clock) {
    const bool timing = qEnvironmentVariableIsSet("DALVEX_STARTUP_TIMING");
    const QString shot = qEnvironmentVariable("DALVEX_SCREENSHOT");
    if (!timing && shot.isEmpty()) return;
    QTimer::singleShot(0, &window, [&window, &clock, timing, shot] {
        if (timing) std::printf("startup %lld ms\n", static_cast<long long>(clock.elapsed()));
        std::fflush(stdout);
        if (shot.isEmpty()) return;
        QTimer::singleShot(400, &window, [&window, shot] {
            window.grab().save(shot);
            QApplication::quit();
        });
    });
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    CDalvexApp app(argc, argv);
    dalvex::ui::CDalvexDlg window(app.project(), app.artwork());
    window.show();
    scheduleDebugAids(window, clock);
    return app.exec();
}
