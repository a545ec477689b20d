#pragma once
// Several files in one byte string, as the shop's web page loads its data folders at once: a mark, the
// number of files, then each file's relative path (UTF-8, '/' between folders) and bytes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {

struct PackedFile {
    std::string path;
    std::string bytes;
};

// Paths of at most 65535 bytes.
std::string packFiles(const std::vector<PackedFile>& files);

// The files of a pack; nullopt when it is not one whole (a wrong mark, an early end, bytes left over) or a
// path could lead out of the folder it is unpacked into (empty, absolute, "." or "..", a backslash, a NUL).
std::optional<std::vector<PackedFile>> unpackFiles(std::string_view pack);

// Whether a pack may hold this path: plain names below the folder it is unpacked into.
bool isPackPath(std::string_view path);

} // namespace dalvex
