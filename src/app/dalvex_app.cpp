#include "dalvex_app.h"

#include "calc/cutting_settings.h"
#include "io/executable_folder.h"
#include "russian_texts.h"

#include <QFont>

CDalvexApp::CDalvexApp(int& argc, char** argv)
    : QApplication(argc, argv), catalogue_(dalvex::executableFolder()),
      project_(catalogue_, dalvex::executableFolder() / "config"), artwork_(catalogue_) {
    setApplicationName(QStringLiteral("dalvex"));
    dalvex::ui::installRussianTranslations();
    // The picture buttons use the bold application font (see the panels); edits and lists a plain one.
    QFont plain(QStringLiteral("Arial"));
    plain.setPixelSize(13);
    setFont(plain);
    // The cutting settings hold for the whole run; the first calculation is priced by them too.
    const dalvex::CuttingSettingsRead cutting =
        dalvex::loadCuttingSettings(dalvex::executableFolder() / "config");
    project_.cutting = cutting.settings;
    dalvex::applyCuttingSettings(project_.result, project_.cutting);
    cuttingProblems_ = cutting.problems;
}
