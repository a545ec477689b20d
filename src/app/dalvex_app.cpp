#include "dalvex_app.h"

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
}
