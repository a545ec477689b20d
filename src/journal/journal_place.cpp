#include "journal_place.h"

#include "io/data_folders.h"
#include "io/executable_folder.h"

#include <cstdlib>
#include <system_error>

namespace dalvex::journal {
namespace fs = std::filesystem;

namespace {

// An environment variable naming an absolute folder; empty otherwise.
fs::path folderFromEnvironment(const char* name) {
#if defined(_WIN32)
    // Read as UTF-16: the ANSI code page cannot hold every user name.
    std::wstring wide;
    for (const char* c = name; *c; ++c)
        wide += static_cast<wchar_t>(*c);
    const wchar_t* value = _wgetenv(wide.c_str());
#else
    const char* value = std::getenv(name);
#endif
    if (!value || !*value) return {};
    fs::path folder(value);
    return folder.is_absolute() ? folder : fs::path();
}

} // namespace

fs::path userDataFolder() {
#if defined(_WIN32)
    const fs::path base = folderFromEnvironment("LOCALAPPDATA");
#else
    fs::path base = folderFromEnvironment("XDG_DATA_HOME");
    if (base.empty()) {
        const fs::path home = folderFromEnvironment("HOME");
        if (!home.empty()) base = home / ".local" / "share";
    }
#endif
    return base.empty() ? fs::path() : base / "dalvex" / "dalvex";
}

bool isPortable(const fs::path& dataFolder, bool namedOnCommandLine) {
    if (namedOnCommandLine) return true;
    std::error_code ec;
    return fs::equivalent(dataFolder, executableFolder(), ec);
}

fs::path journalFile(const fs::path& chosen, const fs::path& dataFolder, bool portable) {
    if (!chosen.empty()) return chosen;
    const fs::path config = dataFolder / "config";
    if (portable && folderIsWritable(config)) return config / kJournalFileName;
    const fs::path user = userDataFolder();
    // Without a home the journal stays beside the data, where the counter is.
    return user.empty() ? config / kJournalFileName : user / kJournalFileName;
}

} // namespace dalvex::journal
