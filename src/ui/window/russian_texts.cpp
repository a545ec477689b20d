#include "window/russian_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace dalvex::ui {

void installRussianTranslations() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    auto* translator = new QTranslator(app); // lives as long as the application
    // Built into the program where Qt is (the Windows build), else installed beside Qt.
    const QString name = QStringLiteral("qtbase_ru");
    if (translator->load(name, QStringLiteral(":/translations")) ||
        translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace dalvex::ui
