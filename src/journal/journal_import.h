#pragma once
// A dealer's years of sketch files taken into the journal: every .dlx below a folder recorded with its card,
// those already recorded skipped, the damaged ones listed.
#include "journal.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dalvex {
class Catalogue;
}

namespace dalvex::journal {

struct ImportReport {
    int recorded = 0;
    int skipped = 0;                  // the journal holds these bytes for the order already
    std::vector<std::string> damaged; // files that are not sketch files this program reads (UTF-8 paths)
    std::vector<std::string> failed;  // files the journal refused, with its message
};

// Records the files oldest first (by their time of change, which becomes the version's time), so that each
// order's latest file is its latest version. `configFolder` is the counter's, kept in step.
ImportReport importFolder(Journal& journal, const Catalogue& catalogue, const std::filesystem::path& folder,
                          const std::filesystem::path& configFolder);

} // namespace dalvex::journal
