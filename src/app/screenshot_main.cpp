// dalvex-screenshot: starts the desktop program exactly as it starts for a user, prints the milliseconds from
// the start to the first painted main window, saves a picture of the window and quits.
//   dalvex-screenshot OUT.png [TAB] [FILE.dlx]    (TAB 0..5 selects a tab before the picture is taken; FILE
//                                                 is opened first)
//   dalvex-screenshot OUT.pdf [TAB] [FILE.dlx]    prints the cutting plan reports (bars, then sheets) into
//                                                 OUT.pdf instead
#include "dalvex_app.h"
#include "results/dlg_cut_plan.h"
#include "panels/dlg_tabs.h"
#include "io/executable_folder.h"
#include "window/main_window.h"
#include "document/order_document.h"
#include "printing/report_printer.h"

#include <QPageSize>
#include <QPdfWriter>

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// Waits for the window's first paint, then reports the time and takes the picture.
class FirstPaint : public QObject {
public:
    FirstPaint(dalvex::ui::CDalvexDlg& window, const QElapsedTimer& clock, QString out, int tab)
        : window_(window), clock_(clock), out_(std::move(out)), tab_(tab) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_ || event->type() != QEvent::Paint || painted_) return false;
        painted_ = true;
        // The paint is over once the event queue is serviced; the time is taken then.
        QTimer::singleShot(0, this, [this] {
            std::printf("startup %lld ms\n", static_cast<long long>(clock_.elapsed()));
            std::fflush(stdout);
            if (tab_ >= 0) window_.tabBar()->select(tab_);
            QTimer::singleShot(300, this, [this] {
                if (out_.endsWith(QStringLiteral(".pdf"))) {
                    printCutPlan();
                    QApplication::quit();
                    return;
                }
                if (!window_.grab().save(out_)) std::fprintf(stderr, "cannot write %s\n", qPrintable(out_));
                QApplication::quit();
            });
        });
        return false;
    }

private:
    void printCutPlan() {
        dalvex::ui::ReportSources sources;
        sources.configFolder = dalvex::executableFolder() / "config";
        window_.cutPlanView()->rebuild();
        sources.cutPlans = window_.cutPlanView()->plans();
        sources.kerf = window_.cutPlanView()->kerf();
        sources.trim = window_.cutPlanView()->trim();
        sources.sheetPlans = window_.cutPlanView()->sheetPlans();
        sources.sheetKerf = window_.cutPlanView()->sheetSettings().sheetKerf;
        sources.sheetTrim = window_.cutPlanView()->sheetSettings().sheetTrim;
        dalvex::ui::ReportChoice choice;
        choice.cutting = true;
        choice.sheets = true;
        QPdfWriter writer(out_);
        writer.setResolution(150);
        writer.setPageSize(QPageSize(QPageSize::A4));
        if (dalvex::ui::printReportsOn(writer, sources, choice) != dalvex::ui::PrintStatus::Ok)
            std::fprintf(stderr, "cannot print %s\n", qPrintable(out_));
    }

    dalvex::ui::CDalvexDlg& window_;
    const QElapsedTimer& clock_;
    QString out_;
    int tab_;
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    if (argc < 2) {
        std::fprintf(stderr, "usage: dalvex-screenshot OUT.png|OUT.pdf [TAB] [FILE.dlx]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const int tab = argc > 2 ? std::atoi(argv[2]) : -1;
    CDalvexApp app(argc, argv);
    dalvex::ui::CDalvexDlg window(app.project(), app.artwork());
    if (argc > 3 && window.document()->editor().open(argv[3]) != 0) {
        std::fprintf(stderr, "cannot open %s\n", argv[3]);
        return 3;
    }
    FirstPaint watcher(window, clock, out, tab);
    window.show();
    return app.exec();
}
