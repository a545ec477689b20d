#include "dalvex_app.h"

#include "cutting/cutting_settings.h"
#include "io/data_folders.h"
#include "io/executable_folder.h"
#include "journal_place.h"
#include "window/prompts.h"
#include "window/russian_texts.h"

#include <QFont>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

namespace {

// The value of `--NAME VALUE` (or --NAME=VALUE) on the command line; empty when not given.
QString optionValue(const QString& name) {
    const QStringList args = QCoreApplication::arguments();
    const QString option = QStringLiteral("--") + name;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == option && i + 1 < args.size()) return args[i + 1];
        if (args[i].startsWith(option + QLatin1Char('='))) return args[i].mid(option.size() + 1);
    }
    return {};
}

// The data folder named by --data DIR on the command line, else the usual one. The program is named here,
// before any of its folders is looked up.
std::filesystem::path chosenDataFolder() {
    CDalvexApp::nameTheProgram();
    const QString named = optionValue(QStringLiteral("data"));
    return named.isEmpty() ? dalvex::dataFolder() : dalvex::ui::toPath(named);
}

dalvex::journal::JournalTarget chosenJournal(const std::filesystem::path& data,
                                             const std::filesystem::path& config) {
    const bool dataNamed = !optionValue(QStringLiteral("data")).isEmpty();
    return dalvex::journal::journalTarget(optionValue(QStringLiteral("journal")).toStdString(), data,
                                          dalvex::journal::isPortable(data, dataNamed), config);
}

std::filesystem::path configFolder(const std::filesystem::path& data) {
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return dalvex::configFolderFor(dalvex::executableFolder(), data, dalvex::ui::toPath(user) / "config");
}

} // namespace

void CDalvexApp::nameTheProgram() {
    QCoreApplication::setOrganizationName(QStringLiteral("dalvex"));
    QCoreApplication::setApplicationName(QStringLiteral("dalvex"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DALVEX_VERSION));
}

CDalvexApp::CDalvexApp(int& argc, char** argv)
    : QApplication(argc, argv), catalogue_(chosenDataFolder()),
      cutting_(dalvex::loadCuttingSettings(configFolder(catalogue_.programFolder()))),
      project_(catalogue_, configFolder(catalogue_.programFolder()), cutting_.settings), artwork_(catalogue_) {
    dalvex::ui::installRussianTranslations();
    // The picture buttons use the bold application font (see the panels); edits and lists a plain one.
    QFont plain(QStringLiteral("Arial"));
    plain.setPixelSize(13);
    setFont(plain);
    journal_ = std::make_unique<dalvex::journal::JournalSession>(
        chosenJournal(catalogue_.programFolder(), project_.configFolder()), project_.configFolder());
    // A journal server that does not answer is asked again now and then; the saves that waited go to it.
    auto* retry = new QTimer(this);
    connect(retry, &QTimer::timeout, this, [this] {
        if (journal_->offline()) journal_->retry();
    });
    retry->start(kJournalRetryMs);
}
