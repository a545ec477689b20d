#pragma once
// A folder of its own under the system's temporary folder for the files a test writes; removed with
// everything in it when the object goes.
#include "io/utf8_path.h"
#include "text/encoding.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace dalvex::testing {

inline long long processId() {
#if defined(_WIN32)
    return _getpid();
#else
    return ::getpid();
#endif
}

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "dalvex") {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                (prefix + "-" + std::to_string(processId()) + "-" + std::to_string(std::random_device{}()) +
                 "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ec;
        // Restore permissions taken away by a test so that everything can be removed.
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }

    const std::filesystem::path& path() const { return path_; }
    // Relative names are UTF-8 text, also on Windows.
    std::filesystem::path operator/(std::string_view relative) const {
        return path_ / pathFromUtf8(relative);
    }

    // Writes the bytes as they are, creating the folders on the way.
    std::filesystem::path writeBytes(std::string_view relative, std::string_view bytes) const {
        const std::filesystem::path file = *this / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }
    // Writes UTF-8 text converted to Windows-1251, as a dealer's spreadsheet program saves it.
    std::filesystem::path writeText(std::string_view relative, std::string_view utf8) const {
        return writeBytes(relative, utf8ToCp1251(utf8));
    }
    std::filesystem::path makeFolder(std::string_view relative) const {
        std::filesystem::create_directories(*this / relative);
        return *this / relative;
    }

private:
    std::filesystem::path path_;
};

// Taking away the read permission stops neither root nor anyone on Windows, which has no such modes.
inline bool permissionsCannotDenyReading() {
#if defined(_WIN32)
    return true;
#else
    return ::geteuid() == 0;
#endif
}

} // namespace dalvex::testing
