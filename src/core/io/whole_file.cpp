#include "io/whole_file.h"

#include <fstream>
#include <system_error>
#include <utility>

namespace dalvex {

bool readWholeFile(const std::filesystem::path& path, std::string& bytes) {
    bytes.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return false;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return false;
    std::string content;
    char chunk[65536];
    while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
        content.append(chunk, static_cast<std::size_t>(stream.gcount()));
    }
    if (stream.bad()) return false;
    bytes = std::move(content);
    return true;
}

} // namespace dalvex
