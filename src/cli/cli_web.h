#pragma once
// dalvex-cli web DIR: the shop's web site, a folder any static web host serves as it is. It holds the page,
// the browser's module (built with the program, found beside it or in the installed share folder) and
// shop.pack, the shop's data in one file: its price lists, colour categories, rollers, cutting settings,
// material library with the pictures made small for the web (web_pictures.h), logo and text.
#include <filesystem>
#include <iosfwd>

namespace dalvex::cli {

// The page and the module for a program in `programFolder`: its own web/ when that holds the module, else
// ../share/dalvex/web.
std::filesystem::path webFolderFor(const std::filesystem::path& programFolder);

// Writes the site for the data folder `data` into `site` (made when missing); an exit code, with the message
// on `err` when it is not kExitOk.
int writeSite(const std::filesystem::path& site, const std::filesystem::path& data, std::ostream& err);

} // namespace dalvex::cli
