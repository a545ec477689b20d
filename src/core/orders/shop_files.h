#pragma once
// The shop's own files in config/, printed on the reports: its logo and its text (address, phone, terms).
#include <filesystem>
#include <string>

namespace dalvex {

// The bytes of logo.jpg; empty when it is missing or cannot be read.
std::string shopLogoBytes(const std::filesystem::path& configFolder);
// The text of info.txt (Windows-1251) in UTF-8; empty when it is missing or cannot be read.
std::string shopInfoText(const std::filesystem::path& configFolder);

} // namespace dalvex
