#pragma once
// Where the program finds its data folders (profiles/, materials/, config/) and keeps what it writes: beside
// the executable for a portable copy or a build, else in the installed share folder, with the order counter
// and shop text moved to the user's config folder when the installed one cannot be written.
#include <filesystem>

namespace dalvex {

// The folder holding profiles/, materials/ and config/ for a program in `programFolder`: that folder itself
// when it holds profiles/, else ../share/dalvex when that does, else `programFolder`.
std::filesystem::path dataFolderFor(const std::filesystem::path& programFolder);
// dataFolderFor(executableFolder()).
std::filesystem::path dataFolder();

// The config folder the program uses: `installed` when it can be written there, else
// seededConfigFolder(installed, userFolder).
std::filesystem::path writableConfigFolder(const std::filesystem::path& installed,
                                           const std::filesystem::path& userFolder);
// Whether a file can be created in `folder` (permissions alone do not tell: read-only mounts, ACLs).
bool folderIsWritable(const std::filesystem::path& folder);
// Creates `userFolder` and copies into it every file of `installed` it does not hold yet (what the user
// changed stays); returns `userFolder`.
std::filesystem::path seededConfigFolder(const std::filesystem::path& installed,
                                         const std::filesystem::path& userFolder);

} // namespace dalvex
