// Writes a made-up order journal for pictures and trials: dalvex-sample-journal FILE [COUNT]. The file's
// sketch bytes are those of the default project.
#include "sample_journal.h"
#include "sqlite_journal.h"

#include "catalogue/catalogue.h"
#include "io/data_folders.h"
#include "project/project.h"
#include "project/project_files.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: dalvex-sample-journal FILE [COUNT]\n");
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 60;
    const dalvex::Catalogue catalogue(dalvex::dataFolder());
    dalvex::Project project(catalogue, catalogue.configFolder());
    auto journal = dalvex::journal::SqliteJournal::open(argv[1]);
    if (!journal) {
        std::fprintf(stderr, "%s\n", journal.status().message.c_str());
        return 3;
    }
    const auto status =
        dalvex::sample::fillSampleJournal(*journal.value(), count, dalvex::writeSketchBytes(project));
    if (!status) std::fprintf(stderr, "%s\n", status.message.c_str());
    return status ? 0 : 3;
}
