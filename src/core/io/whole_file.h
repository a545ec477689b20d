#pragma once
// Reading a whole file into memory.
#include <filesystem>
#include <string>

namespace dalvex {

// Reads the whole file into `bytes`. False (and `bytes` empty) when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& path, std::string& bytes);

} // namespace dalvex
