#pragma once
// Where the journal file is kept.
#include <filesystem>

namespace dalvex::journal {

inline constexpr const char* kJournalFileName = "journal.sqlite";

// The user's own folder for what the programs keep: $XDG_DATA_HOME/dalvex/dalvex (else
// ~/.local/share/dalvex/dalvex); %LOCALAPPDATA%\dalvex\dalvex on Windows. Empty when the system names none.
std::filesystem::path userDataFolder();

// The journal file: `chosen` when given (--journal FILE); config/journal.sqlite of a portable copy (its data
// folder is beside the program or was named with --data, and its config/ can be written); else
// journal.sqlite in userDataFolder().
std::filesystem::path journalFile(const std::filesystem::path& chosen,
                                  const std::filesystem::path& dataFolder, bool portable);

// Whether a program whose data folder is `dataFolder` runs as a portable copy: the data folder is the
// program's own folder, or was named on the command line.
bool isPortable(const std::filesystem::path& dataFolder, bool namedOnCommandLine);

} // namespace dalvex::journal
