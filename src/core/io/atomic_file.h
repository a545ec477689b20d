#pragma once
// Safe whole-file writing: the old file stays until the new one is complete and on the disk.
#include <filesystem>
#include <string_view>

namespace dalvex {

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk, and renames it over `path` only
// when everything was written, then flushes the folder. A symbolic link `path` stays: the file it points to
// is replaced. A `path` that is there but no regular file (a folder, a FIFO, a device) is refused. Temporary
// files of the same target left by a process that no longer runs (a killed save) are removed first. Any
// failure removes the temporary file, leaves an existing `path` untouched and returns false.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace dalvex
