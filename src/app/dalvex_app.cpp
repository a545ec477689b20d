#include "dalvex_app.h"

#include "calc/cutting_settings.h"
#include "io/data_folders.h"
#include "prompts.h"
#include "russian_texts.h"

#include <QFont>
#include <QStandardPaths>

namespace {

// The names settings and the user's folders are kept under; set before any of them is looked up.
std::filesystem::path dataFolderNamed() {
    QCoreApplication::setOrganizationName(QStringLiteral("dalvex"));
    QCoreApplication::setApplicationName(QStringLiteral("dalvex"));
    return dalvex::dataFolder();
}

std::filesystem::path configFolder() {
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return dalvex::writableConfigFolder(dalvex::dataFolder() / "config", dalvex::ui::toPath(user) / "config");
}

} // namespace

CDalvexApp::CDalvexApp(int& argc, char** argv)
    : QApplication(argc, argv), catalogue_(dataFolderNamed()), project_(catalogue_, configFolder()),
      artwork_(catalogue_) {
    setApplicationVersion(QStringLiteral(DALVEX_VERSION));
    dalvex::ui::installRussianTranslations();
    // The picture buttons use the bold application font (see the panels); edits and lists a plain one.
    QFont plain(QStringLiteral("Arial"));
    plain.setPixelSize(13);
    setFont(plain);
    // The cutting settings hold for the whole run; the first calculation is priced by them too.
    const dalvex::CuttingSettingsRead cutting = dalvex::loadCuttingSettings(project_.configFolder());
    project_.cutting = cutting.settings;
    dalvex::applyCuttingSettings(project_.result, project_.cutting);
    cuttingProblems_ = cutting.problems;
}
