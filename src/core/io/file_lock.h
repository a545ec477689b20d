#pragma once
// An exclusive lock between processes, taken on a lock file of its own: the file it guards is replaced by
// rename, and a lock on a file that is renamed over guards nothing.
#include <filesystem>

namespace dalvex {

class FileLock {
public:
    // Creates the lock file when missing and waits until this process holds the lock. When the file cannot be
    // opened (a missing or read-only folder) or is no regular file, nothing is locked: see locked().
    explicit FileLock(const std::filesystem::path& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return locked_; }

private:
#if defined(_WIN32)
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    bool locked_ = false;
};

} // namespace dalvex
