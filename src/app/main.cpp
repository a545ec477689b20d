// The desktop program: builds the catalogue and the one Project from the folders beside the executable and
// shows the main window until it is closed.
#include "artwork.h"
#include "catalogue/catalogue.h"
#include "dlg_tabs.h"
#include "files/file_io.h"
#include "main_window.h"
#include "model/project.h"
#include "ui_context.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
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
        // The picture buttons use the bold application font (see the panels); edits and lists a plain one.
        QFont plain(QStringLiteral("Arial"));
        plain.setPixelSize(13);
        setFont(plain);
        // The command line is accepted but has no effect: the program always starts with the default project.
    }

    dalvex::Project& project() { return project_; }
    const dalvex::ui::Artwork& artwork() const { return artwork_; }

private:
    dalvex::Catalogue catalogue_;
    dalvex::Project project_;
    dalvex::ui::Artwork artwork_;
};

// Debug aids: DALVEX_STARTUP_TIMING prints the milliseconds from the start to the first painted main window;
// DALVEX_SCREENSHOT=file.png saves a picture of the main window once it is painted, and quits
// (DALVEX_SCREENSHOT_TAB=n shows tab n first).
class DebugAids : public QObject {
public:
    DebugAids(dalvex::ui::CDalvexDlg& window, const QElapsedTimer& clock)
        : window_(window), clock_(clock), timing_(qEnvironmentVariableIsSet("DALVEX_STARTUP_TIMING")),
          shot_(qEnvironmentVariable("DALVEX_SCREENSHOT")) {
        if (timing_ || !shot_.isEmpty()) window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_ || event->type() != QEvent::Paint || painted_) return false;
        painted_ = true;
        // The paint event is over once the queue is serviced; the time is taken then.
        QTimer::singleShot(0, this, [this] {
            if (timing_) {
                std::printf("startup %lld ms\n", static_cast<long long>(clock_.elapsed()));
                std::fflush(stdout);
            }
            if (shot_.isEmpty()) return;
            bool ok = false;
            const int tab = qEnvironmentVariableIntValue("DALVEX_SCREENSHOT_TAB", &ok);
            if (ok) window_.tabBar()->select(tab);
            QTimer::singleShot(300, this, [this] {
                window_.grab().save(shot_);
                QApplication::quit();
            });
        });
        return false;
    }

private:
    dalvex::ui::CDalvexDlg& window_;
    const QElapsedTimer& clock_;
    bool timing_;
    QString shot_;
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    CDalvexApp app(argc, argv);
    dalvex::ui::CDalvexDlg window(app.project(), app.artwork());
    DebugAids aids(window, clock);
    window.show();
    return app.exec();
}
