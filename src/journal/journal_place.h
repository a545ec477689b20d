#pragma once
// Where the journal is kept: a file on this computer, or a server named in config/journal.txt or by
// --journal postgresql://...
#include <filesystem>
#include <string>

namespace dalvex::journal {

inline constexpr const char* kJournalFileName = "journal.sqlite";
inline constexpr const char* kServerFileName = "journal.txt";
inline constexpr const char* kQueueFileName = "journal-queue.sqlite";

// The journal a program uses: a server when `server` is given, else the SQLite file.
struct JournalTarget {
    std::filesystem::path file;
    std::string server;          // a libpq connection string
    std::filesystem::path queue; // with a server: the SQLite file where saves wait while it is away
};

// A connection string as messages and queues may name it: any password it holds left out.
std::string withoutPassword(const std::string& conninfo);

// Whether a --journal value names a server (a postgresql:// URI or libpq's key = value form) and not a file.
bool namesServer(const std::string& text);
// The server named by the first line of `configFolder`/journal.txt that is neither empty nor a # comment;
// empty without one.
std::string serverFromConfig(const std::filesystem::path& configFolder);
// The journal for a --journal value (`chosen`, UTF-8, may be empty), a data folder and the folders of
// config/journal.txt (the program's own config/, then the data folder's): a server named by --journal or in
// journal.txt, else journalFile() below. The queue is journal-queue.sqlite in userDataFolder() (beside the
// data's config/ without one).
JournalTarget journalTarget(const std::string& chosen, const std::filesystem::path& dataFolder, bool portable,
                            const std::filesystem::path& configFolder);

// The user's own folder for what the programs keep: $XDG_DATA_HOME/dalvex/dalvex (else
// ~/.local/share/dalvex/dalvex); %LOCALAPPDATA%\dalvex\dalvex on Windows. Empty when the system names none.
std::filesystem::path userDataFolder();

// The user's own folder for settings, the desktop program's as well: $XDG_CONFIG_HOME/dalvex/dalvex (else
// ~/.config/dalvex/dalvex); %LOCALAPPDATA%\dalvex\dalvex on Windows. Empty when the system names none.
std::filesystem::path userConfigFolder();

// The journal file: `chosen` when given (--journal FILE); config/journal.sqlite of a portable copy (its data
// folder is beside the program or was named with --data, and its config/ can be written); else
// journal.sqlite in userDataFolder().
std::filesystem::path journalFile(const std::filesystem::path& chosen,
                                  const std::filesystem::path& dataFolder, bool portable);

// Whether a program whose data folder is `dataFolder` runs as a portable copy: the data folder is the
// program's own folder, or was named on the command line.
bool isPortable(const std::filesystem::path& dataFolder, bool namedOnCommandLine);

} // namespace dalvex::journal
