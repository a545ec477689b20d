#pragma once
// Where the running program lies: the data folders profiles/, materials/ and config/ are found beside it.
#include <filesystem>

namespace dalvex {

// The folder that holds the running executable. Falls back to the current folder when it cannot be
// determined.
std::filesystem::path executableFolder();

} // namespace dalvex
