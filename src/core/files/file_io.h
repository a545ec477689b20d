#pragma once
// Whole-file reading and safe whole-file writing.
#include <filesystem>
#include <string>
#include <string_view>

namespace dalvex {

// Reads the whole file into `bytes`. False (and `bytes` empty) when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& path, std::string& bytes);

// Writes `bytes` to a temporary file beside `path`, flushes it, and renames it over `path` only when
// everything was written. Any failure removes the temporary file, leaves an existing `path` untouched and
// returns false.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The folder that holds the running executable (where the data folders profiles/, materials/, config/ lie).
// Falls back to the current folder when it cannot be determined.
std::filesystem::path executableFolder();

} // namespace dalvex
