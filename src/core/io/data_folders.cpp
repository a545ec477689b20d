#include "io/data_folders.h"

#include "io/executable_folder.h"

#include <fstream>
#include <system_error>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dalvex {
namespace {

bool holdsData(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder / "profiles", ec);
}

// Writes one byte to `probe`, a regular file of its own. A FIFO or a link put at its name fails at once
// instead of waiting for a reader or writing elsewhere.
bool writeProbe(const std::filesystem::path& probe) {
#if defined(_WIN32)
    std::ofstream out(probe, std::ios::binary);
    return static_cast<bool>(out << 'x');
#else
    const int fd =
        ::open(probe.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    struct stat st {};
    const bool written = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::write(fd, "x", 1) == 1;
    return ::close(fd) == 0 && written;
#endif
}

} // namespace

bool folderIsWritable(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) return false;
    const std::filesystem::path probe = folder / ".dalvex-write-probe";
    const bool written = writeProbe(probe);
    if (written) std::filesystem::remove(probe, ec);
    return written;
}

std::filesystem::path dataFolderFor(const std::filesystem::path& programFolder) {
    if (holdsData(programFolder)) return programFolder;
    const std::filesystem::path installed = programFolder.parent_path() / "share" / "dalvex";
    if (holdsData(installed)) return installed;
    return programFolder;
}

std::filesystem::path dataFolder() {
    return dataFolderFor(executableFolder());
}

std::filesystem::path writableConfigFolder(const std::filesystem::path& installed,
                                           const std::filesystem::path& userFolder) {
    return folderIsWritable(installed) ? installed : seededConfigFolder(installed, userFolder);
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
