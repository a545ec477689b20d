#include "io/atomic_file.h"

#include "io/utf8_path.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dalvex {
namespace fs = std::filesystem;

namespace {

// Temporary files are named ".<target name>.tmp-<process id>-<count>": the next save of the same target can
// tell which ones a process that no longer runs left behind (killed mid-way) and remove them.
std::string temporaryPrefix(const fs::path& target) {
    std::string prefix(1, '.');
    prefix += pathToUtf8(target.filename());
    prefix += ".tmp-";
    return prefix;
}

#if defined(_WIN32)
using ProcessId = DWORD;
ProcessId currentProcess() {
    return GetCurrentProcessId();
}
bool processRuns(ProcessId id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED; // someone else's, so it exists
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}
#else
using ProcessId = pid_t;
ProcessId currentProcess() {
    return ::getpid();
}
bool processRuns(ProcessId id) {
    return ::kill(id, 0) == 0 || errno == EPERM;
}
#endif

// Removes the temporary files of `target` whose writer is gone. Those of running processes (this one among
// them: another thread may be saving the same target) stay.
void removeStaleTemporaries(const fs::path& target) {
    const std::string prefix = temporaryPrefix(target);
    std::error_code ec;
    fs::directory_iterator it(target.parent_path().empty() ? fs::path(".") : target.parent_path(), ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        const std::string name = pathToUtf8(it->path().filename());
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        uint64_t id = 0;
        std::size_t i = prefix.size();
        for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && id <= UINT32_MAX; ++i)
            id = id * 10 + static_cast<uint64_t>(name[i] - '0');
        if (i == prefix.size() || i >= name.size() || name[i] != '-' || id > UINT32_MAX) continue;
        const auto process = static_cast<ProcessId>(id);
        if (static_cast<uint64_t>(process) != id || process == currentProcess() || processRuns(process))
            continue;
        std::error_code ignored;
        fs::remove(it->path(), ignored);
    }
}

// A name no file has yet: one left by an earlier process of the same id is skipped.
fs::path temporaryPathFor(const fs::path& target) {
    static std::atomic<uint64_t> counter{0};
    fs::path temporary;
    std::error_code ec;
    do {
        temporary =
            target.parent_path() / pathFromUtf8(temporaryPrefix(target) + std::to_string(currentProcess()) +
                                                "-" + std::to_string(counter.fetch_add(1)));
    } while (fs::exists(temporary, ec));
    return temporary;
}

// The file a save is meant for: a symbolic link is followed (a chain of them too) so that the file it points
// to is replaced and the link stays.
fs::path followLinks(fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(path, ec)) return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

#if defined(_WIN32)

bool writeAndFlush(const fs::path& temporary, std::string_view bytes) {
    HANDLE file =
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    while (ok && !bytes.empty()) {
        const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        ok = WriteFile(file, bytes.data(), chunk, &written, nullptr) && written > 0;
        bytes.remove_prefix(written);
    }
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

// Write-through: the rename is on the disk when the call returns (Windows has no flush of a folder).
bool replaceWith(const fs::path& temporary, const fs::path& target) {
    return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

#else

// Longer names are refused by the usual file systems; some file layers (emscripten's over node) cut them
// instead, which would leave a file of another name behind.
constexpr std::size_t kLongestName = 255;

bool writeAndFlush(const fs::path& temporary, std::string_view bytes, const fs::path& target) {
    if (temporary.filename().native().size() > kLongestName) return false;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    // Keep the permissions of the file being replaced.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    while (ok && !bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        ok = written > 0;
        if (ok) bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    // On the disk before the rename: otherwise a power loss can leave the new name on an empty file.
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

void flushFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd); // a file system that cannot flush a folder still has the file itself flushed
    ::close(fd);
}

bool replaceWith(const fs::path& temporary, const fs::path& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) return false;
    // The rename itself reaches the disk only with the folder.
    flushFolder(target.parent_path());
    return true;
}

#endif

} // namespace

bool writeFileAtomically(const fs::path& path, std::string_view bytes) {
    if (path.empty()) return false;
    const fs::path target = followLinks(path);
    std::error_code ec;
    // Only a regular file is replaced: a folder, a FIFO or a device in its place is nothing a save may
    // overwrite (a link to /dev/zero would have the device itself renamed over).
    const fs::file_status existing = fs::status(target, ec);
    if (fs::exists(existing) && !fs::is_regular_file(existing)) return false;
    removeStaleTemporaries(target);
    const fs::path temporary = temporaryPathFor(target);
#if defined(_WIN32)
    if (!writeAndFlush(temporary, bytes)) return false;
#else
    if (!writeAndFlush(temporary, bytes, target)) return false;
#endif
    if (replaceWith(temporary, target)) return true;
    fs::remove(temporary, ec);
    return false;
}

} // namespace dalvex
