#include "russian_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace dalvex::ui {

void installRussianTranslations() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    auto* translator = new QTranslator(app); // lives as long as the application
    if (translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace dalvex::ui
