#include "io/data_folders.h"

#include "io/executable_folder.h"

#include <fstream>
#include <system_error>

namespace dalvex {
namespace {

std::filesystem::path installedDataFolder(const std::filesystem::path& programFolder) {
    return programFolder.parent_path() / "share" / "dalvex";
}

bool holdsData(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder / "profiles", ec);
}

// Whether a file can be created in `folder` (permissions alone do not tell: read-only mounts, ACLs).
bool canWriteIn(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) return false;
    const std::filesystem::path probe = folder / ".dalvex-write-probe";
    bool written = false;
    {
        std::ofstream out(probe, std::ios::binary);
        written = static_cast<bool>(out << 'x');
    }
    std::filesystem::remove(probe, ec);
    return written;
}

} // namespace

std::filesystem::path dataFolderFor(const std::filesystem::path& programFolder) {
    if (holdsData(programFolder)) return programFolder;
    const std::filesystem::path installed = installedDataFolder(programFolder);
    if (holdsData(installed)) return installed;
    return programFolder;
}

std::filesystem::path dataFolder() {
    return dataFolderFor(executableFolder());
}

std::filesystem::path writableConfigFolder(const std::filesystem::path& installed,
                                           const std::filesystem::path& userFolder) {
    return canWriteIn(installed) ? installed : seededConfigFolder(installed, userFolder);
}

std::filesystem::path configFolderFor(const std::filesystem::path& programFolder, const std::filesystem::path& data,
                                      const std::filesystem::path& userFolder) {
    if (data == installedDataFolder(programFolder)) return seededConfigFolder(data / "config", userFolder);
    return writableConfigFolder(data / "config", userFolder);
}

std::filesystem::path seededConfigFolder(const std::filesystem::path& installed,
                                         const std::filesystem::path& userFolder) {
    std::error_code ec;
    std::filesystem::create_directories(userFolder, ec);
    for (const auto& entry : std::filesystem::directory_iterator(installed, ec)) {
        const std::filesystem::path target = userFolder / entry.path().filename();
        if (entry.is_regular_file(ec) && !std::filesystem::exists(target, ec))
            std::filesystem::copy_file(entry.path(), target, ec);
    }
    return userFolder;
}

} // namespace dalvex
