#pragma once
// The application object: the catalogue and the one Project, built from the data folders (beside the
// executable, else installed) before any window exists, and the pictures the windows show.
#include "art/artwork.h"
#include "catalogue/catalogue.h"
#include "cutting/cutting_settings.h"
#include "journal_session.h"
#include "project/project.h"

#include <QApplication>

#include <memory>

class CDalvexApp : public QApplication {
public:
    CDalvexApp(int& argc, char** argv);

    // The names the settings and the user's folders are kept under, and the version --version prints.
    static void nameTheProgram();

    dalvex::Project& project() { return project_; }
    const dalvex::ui::Artwork& artwork() const { return artwork_; }
    // Lines of config/cutting.txt that could not be read (their defaults are used).
    const std::vector<std::string>& cuttingProblems() const { return cutting_.problems; }
    // The order journal: the server of config/journal.txt or --journal postgresql://..., else journal.sqlite
    // in the user's data folder, config/ of a portable copy, or --journal FILE.
    dalvex::journal::JournalSession& journal() { return *journal_; }
    // How often a journal server that does not answer is asked again.
    static constexpr int kJournalRetryMs = 30000;

private:
    const dalvex::Catalogue catalogue_;
    // Read before the project is made: they hold for the whole run, its first calculation included.
    const dalvex::CuttingSettingsRead cutting_;
    dalvex::Project project_;
    dalvex::ui::Artwork artwork_;
    std::unique_ptr<dalvex::journal::JournalSession> journal_;
};
