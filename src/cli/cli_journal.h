#pragma once
// dalvex-cli journal ...: the order journal from the command line (list, search, show, status, pay, export,
// import, backup, check), and the journal a save is recorded in.
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace dalvex {
class Project;
}

namespace dalvex::cli {

// `args` start with "journal".
int runJournal(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Saves the sketch file and records it in the journal (`chosen`, else the usual one for `dataFolder`, with
// the server settings of the project's config folder): the record is kept on the disk before the file is
// replaced, and a save the journal cannot take now waits for the next start, said on `err`. Answers whether
// the file was written; the journal never changes the exit code of the save.
bool saveRecorded(const Project& project, const std::string& savedPath, const std::string& chosen,
                  const std::filesystem::path& dataFolder, bool dataNamed, std::ostream& err);

// The config folder the programs keep the counter and the shop's files in for a data folder: its own config/
// where that can be written, else (an installed copy) the user's, as the desktop program does.
std::filesystem::path configFolderOf(const std::filesystem::path& dataFolder);

// The usage lines of the journal commands.
std::string journalUsageText();

} // namespace dalvex::cli
