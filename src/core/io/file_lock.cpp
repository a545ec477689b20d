#include "io/file_lock.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dalvex {

#if defined(_WIN32)

FileLock::FileLock(const std::filesystem::path& lockFile) {
    HANDLE file = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    handle_ = file;
    OVERLAPPED whole{};
    locked_ = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole);
}

FileLock::~FileLock() {
    if (!handle_) return;
    if (locked_) {
        OVERLAPPED whole{};
        UnlockFileEx(handle_, 0, MAXDWORD, MAXDWORD, &whole);
    }
    CloseHandle(handle_);
}

#else

// A POSIX record lock: it belongs to the process, so it separates programs (the desktop program and the tools
// are single-threaded), and the system drops it when the process ends however it ends.
FileLock::FileLock(const std::filesystem::path& lockFile) {
    // Opened without waiting, and only a regular file is locked: a FIFO or a device put in its place must
    // not stop the program, nor be locked for every other user of the device.
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd_ < 0) return;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    int result = 0;
    while ((result = ::fcntl(fd_, F_SETLKW, &whole)) != 0 && errno == EINTR) {
    }
    locked_ = result == 0;
}

FileLock::~FileLock() {
    // Closing the file releases the lock.
    if (fd_ >= 0) ::close(fd_);
}

#endif

} // namespace dalvex
