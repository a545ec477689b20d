#pragma once
// The application object: the catalogue and the one Project, built from the data folders (beside the
// executable, else installed) before any window exists, and the pictures the windows show.
#include "artwork.h"
#include "catalogue/catalogue.h"
#include "journal_session.h"
#include "project/project.h"

#include <QApplication>

#include <memory>

class CDalvexApp : public QApplication {
public:
    CDalvexApp(int& argc, char** argv);

    dalvex::Project& project() { return project_; }
    const dalvex::ui::Artwork& artwork() const { return artwork_; }
    // Lines of config/cutting.txt that could not be read (their defaults are used).
    const std::vector<std::string>& cuttingProblems() const { return cuttingProblems_; }
    // The order journal: journal.sqlite in the user's data folder, config/ of a portable copy, or --journal
    // FILE.
    dalvex::journal::JournalSession& journal() { return *journal_; }

private:
    dalvex::Catalogue catalogue_;
    dalvex::Project project_;
    dalvex::ui::Artwork artwork_;
    std::vector<std::string> cuttingProblems_;
    std::unique_ptr<dalvex::journal::JournalSession> journal_;
};
