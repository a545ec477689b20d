#pragma once
// Safe whole-file writing: the old file stays until the new one is complete.
#include <filesystem>
#include <string_view>

namespace dalvex {

// Writes `bytes` to a temporary file beside `path`, flushes it, and renames it over `path` only when
// everything was written. Any failure removes the temporary file, leaves an existing `path` untouched and
// returns false.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace dalvex
