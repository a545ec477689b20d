#pragma once
// File names as UTF-8 text. The core keeps every text in UTF-8, but a narrow std::string given to
// std::filesystem::path on Windows is read in the ANSI code page, which cannot hold every name ("Зеркала" on
// an English system). Every name that comes from the user, a list file or a sketch file goes through these.
#include <filesystem>
#include <string>
#include <string_view>

namespace dalvex {

// The path named by UTF-8 text; malformed sequences become U+FFFD. Never throws.
std::filesystem::path pathFromUtf8(std::string_view utf8);

// The path's name as UTF-8 text (on POSIX the bytes as they are). Never throws.
std::string pathToUtf8(const std::filesystem::path& path);

} // namespace dalvex
