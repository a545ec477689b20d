#pragma once
// Reading a whole file into memory, refusing anything that is not a plain file of a sane size: a FIFO or a
// device named where a file is expected must neither hang the program nor grow without end. Every file the
// programs read goes through here.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace dalvex {

// Limits on what each kind of file may weigh; the callers pick theirs.
inline constexpr std::uint64_t kSketchFileLimit = 64u << 20;
inline constexpr std::uint64_t kPriceListLimit = 64u << 20;
inline constexpr std::uint64_t kMaterialListLimit = 16u << 20;
inline constexpr std::uint64_t kPictureFileLimit = 16u << 20;
inline constexpr std::uint64_t kConfigFileLimit = 1u << 20;  // the shop text and the like
inline constexpr std::uint64_t kScriptFileLimit = 16u << 20; // a script of editing operations

// The size of `path` when it is a regular file (after following links); nothing for anything else (missing,
// a folder, a FIFO, a device). Never opens the file, so it never waits.
std::optional<std::uint64_t> regularFileSize(const std::filesystem::path& path);

// Whether `path` opens as readWholeFile would open it: a regular file of at most `limit` bytes that can be
// opened for reading. Never waits on a FIFO or a device.
bool isReadableFile(const std::filesystem::path& path, std::uint64_t limit);

// Reads the whole file into `bytes`. False (and `bytes` empty) when it is not a regular file, is larger than
// `limit` bytes, or cannot be opened or read. Never waits on a FIFO or a device.
bool readWholeFile(const std::filesystem::path& path, std::string& bytes, std::uint64_t limit);

} // namespace dalvex
