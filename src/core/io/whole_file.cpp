#include "io/whole_file.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <utility>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dalvex {

#ifndef _WIN32

std::optional<std::uint64_t> regularFileSize(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

namespace {

// Opens without waiting (a FIFO without a writer returns at once) and asks the descriptor itself for the type
// and size, so that what was checked is what is read. -1 unless a regular file of at most `limit` bytes.
int openRegularFile(const std::filesystem::path& path, std::uint64_t limit, std::uint64_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
        static_cast<std::uint64_t>(st.st_size) > limit) {
        ::close(fd);
        return -1;
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return fd;
}

} // namespace

bool isReadableFile(const std::filesystem::path& path, std::uint64_t limit) {
    std::uint64_t size = 0;
    const int fd = openRegularFile(path, limit, size);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

bool readWholeFile(const std::filesystem::path& path, std::string& bytes, std::uint64_t limit) {
    bytes.clear();
    std::uint64_t size = 0;
    const int fd = openRegularFile(path, limit, size);
    if (fd < 0) return false;
    std::string content(static_cast<std::size_t>(size), '\0');
    bool good = true;
    std::size_t done = 0;
    while (good) {
        // Read on past the size seen, up to one byte over the limit: a file that grew meanwhile is taken
        // whole or refused, never read without end.
        if (done == content.size()) {
            if (content.size() > limit) {
                good = false;
                break;
            }
            content.resize(static_cast<std::size_t>(
                std::min<std::uint64_t>(limit + 1, static_cast<std::uint64_t>(content.size()) + 65536)));
        }
        const ssize_t n = ::read(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) good = false;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (!good) return false;
    content.resize(done);
    bytes = std::move(content);
    return true;
}

#else

std::optional<std::uint64_t> regularFileSize(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

bool isReadableFile(const std::filesystem::path& path, std::uint64_t limit) {
    const std::optional<std::uint64_t> size = regularFileSize(path);
    return size && *size <= limit && std::ifstream(path, std::ios::binary).is_open();
}

bool readWholeFile(const std::filesystem::path& path, std::string& bytes, std::uint64_t limit) {
    bytes.clear();
    const std::optional<std::uint64_t> size = regularFileSize(path);
    if (!size || *size > limit) return false;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return false;
    std::string content;
    char chunk[65536];
    while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
        content.append(chunk, static_cast<std::size_t>(stream.gcount()));
        if (content.size() > limit) return false;
    }
    if (stream.bad()) return false;
    bytes = std::move(content);
    return true;
}

#endif

} // namespace dalvex
