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

// Records a sketch file just saved in the journal (`chosen`, else the usual one for `dataFolder`); a save the
// journal cannot take is kept for the next start and said on `err`. Never changes the exit code of the save.
void recordSave(const Project& project, const std::string& savedPath, const std::string& chosen,
                const std::filesystem::path& dataFolder, bool dataNamed, std::ostream& err);

// The usage lines of the journal commands.
std::string journalUsageText();

} // namespace dalvex::cli
