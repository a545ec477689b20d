#include "cli_web.h"

#include "cli_app.h"
#include "io/atomic_file.h"
#include "io/executable_folder.h"
#include "io/file_pack.h"
#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "web_pictures.h"

#include <algorithm>
#include <ostream>
#include <string_view>
#include <system_error>
#include <vector>

namespace dalvex::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kModuleName = "dalvex.wasm";
constexpr std::string_view kPackName = "shop.pack";
// What the site takes of config/: never the order counter or the journal, which are the shop's own.
constexpr std::string_view kConfigFiles[] = {"logo.jpg", "info.txt", "cutting.txt"};

bool isPicture(const fs::path& file) {
    const std::string extension = pathToUtf8(file.extension());
    return extension == ".jpg" || extension == ".png" || extension == ".bmp";
}

// Every regular file below `folder`, by its path relative to the data folder, in name order so that the same
// data gives the same pack.
std::vector<fs::path> filesBelow(const fs::path& data, const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(data / folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) files.push_back(it->path().lexically_relative(data));
    std::sort(files.begin(), files.end());
    return files;
}

// The file as the site holds it; nothing for a file that cannot be read, or a picture that is none.
std::optional<std::string> siteFile(const fs::path& file) {
    std::string bytes;
    if (!readWholeFile(file, bytes, isPicture(file) ? kPictureFileLimit : kPriceListLimit)) return std::nullopt;
    if (isPicture(file)) return webPicture(bytes);
    return bytes;
}

std::vector<PackedFile> shopFiles(const fs::path& data, std::ostream& err) {
    std::vector<fs::path> files = filesBelow(data, "profiles");
    const std::vector<fs::path> materials = filesBelow(data, "materials");
    files.insert(files.end(), materials.begin(), materials.end());
    for (std::string_view name : kConfigFiles)
        if (regularFileSize(data / "config" / name)) files.push_back(fs::path("config") / name);
    std::vector<PackedFile> packed;
    for (const fs::path& file : files) {
        std::optional<std::string> bytes = siteFile(data / file);
        if (!bytes) {
            // The page then offers the library without it, as the desktop program does with a picture it
            // cannot read.
            err << "dalvex-cli: " << pathToUtf8(data / file) << " is left out: it cannot be read\n";
            continue;
        }
        std::string path = pathToUtf8(file);
        std::replace(path.begin(), path.end(), '\\', '/');
        packed.push_back({std::move(path), std::move(*bytes)});
    }
    return packed;
}

bool copyFile(const fs::path& from, const fs::path& to) {
    std::string bytes;
    return readWholeFile(from, bytes, kPriceListLimit) && writeFileAtomically(to, bytes);
}

} // namespace

fs::path webFolderFor(const fs::path& programFolder) {
    std::error_code ec;
    if (fs::is_regular_file(programFolder / "web" / kModuleName, ec)) return programFolder / "web";
    return programFolder.parent_path() / "share" / "dalvex" / "web";
}

int writeSite(const fs::path& site, const fs::path& data, std::ostream& err) {
    std::error_code ec;
    if (!fs::is_directory(data / "profiles", ec)) {
        err << "dalvex-cli: data folder " << pathToUtf8(data) << " not found\n";
        return kExitUsage;
    }
    const fs::path page = webFolderFor(executableFolder());
    if (!fs::is_regular_file(page / kModuleName, ec)) {
        err << "dalvex-cli: the web page is not installed beside the program (" << pathToUtf8(page) << ")\n";
        return kExitFile;
    }
    fs::create_directories(site, ec);
    for (const fs::path& file : filesBelow(page, fs::path())) {
        if (copyFile(page / file, site / file)) continue;
        err << "Ошибка сохранения файла " << pathToUtf8(site / file) << "\n";
        return kExitFile;
    }
    if (!writeFileAtomically(site / kPackName, packFiles(shopFiles(data, err)))) {
        err << "Ошибка сохранения файла " << pathToUtf8(site / kPackName) << "\n";
        return kExitFile;
    }
    return kExitOk;
}

} // namespace dalvex::cli
