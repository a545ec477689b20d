#include "records/material_library.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "records/csv.h"
#include "text/numbers.h"
#include "text/text_case.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace dalvex {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kListName = "price.csv";
constexpr std::string_view kPicturesName = "images";

// The entries of a folder sorted by name, so the same folders give the same order on every machine.
std::vector<fs::path> sortedEntries(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return entries;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        entries.push_back(it->path());
    }
    std::sort(entries.begin(), entries.end(), [](const fs::path& a, const fs::path& b) {
        return pathToUtf8(a.filename()) < pathToUtf8(b.filename());
    });
    return entries;
}

// A picture name is accepted when its last dot is not its first character and the extension after it is
// written exactly "jpg", "bmp" or "png" (capitals are not accepted).
bool hasPictureExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return false;
    const std::string_view extension = name.substr(dot + 1);
    return extension == "jpg" || extension == "bmp" || extension == "png";
}

// A list names pictures inside the collection's images folder only: a separator or an embedded NUL would
// reach outside it (and make the material key ambiguous).
bool isPlainName(std::string_view name) {
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos && name != "." &&
           name != "..";
}

// Opened as the drawing will read it: a folder that happens to carry a picture name, a FIFO, a device or a
// picture too large to be read is no picture.
bool canRead(const fs::path& file) {
    return isReadableFile(file, kPictureFileLimit);
}

// A collection's images folder, listed once: a long list naming the same pictures line after line opens each
// picture once, and a name the folder does not hold opens nothing.
class PictureFolder {
public:
    explicit PictureFolder(fs::path folder) : folder_(std::move(folder)) {
        std::error_code ec;
        fs::directory_iterator it(folder_, ec);
        if (ec) return;
        for (const fs::directory_iterator end; it != end; it.increment(ec)) {
            if (ec) break;
            listed_.insert(pathToUtf8(it->path().filename()));
        }
    }

    bool readable(std::string_view name) {
        const auto [at, added] = checked_.try_emplace(std::string(name), false);
        if (added) {
#ifdef _WIN32
            // Names differ in letter case from the list's on a file system that ignores it.
            const bool listed = true;
#else
            const bool listed = listed_.count(at->first) != 0;
#endif
            at->second = listed && canRead(folder_ / pathFromUtf8(name));
        }
        return at->second;
    }

private:
    fs::path folder_;
    std::set<std::string> listed_;
    std::map<std::string, bool, std::less<>> checked_;
};

// "да" or "нет" (and their usual spellings); anything else leaves the question to the shop's rule.
std::optional<bool> yesOrNo(std::string_view text) {
    const std::string word = normalized(text);
    for (std::string_view yes : {"да", "есть", "вдоль", "yes", "1"})
        if (word == yes) return true;
    for (std::string_view no : {"нет", "no", "0"})
        if (word == no) return false;
    return std::nullopt;
}

int32_t clampedProduct(int32_t value, int32_t factor) {
    const int64_t product = static_cast<int64_t>(value) * factor;
    return static_cast<int32_t>(std::clamp<int64_t>(product, INT32_MIN, INT32_MAX));
}

} // namespace

std::vector<MaterialCollection> scanCollections(const fs::path& materialsFolder) {
    std::vector<MaterialCollection> collections;
    for (const fs::path& folder : sortedEntries(materialsFolder)) {
        std::error_code ec;
        if (!fs::is_directory(folder, ec)) continue;
        const fs::path list = folder / kListName;
        if (!fs::is_directory(folder / kPicturesName, ec) || !fs::is_regular_file(list, ec)) continue;
        MaterialCollection collection;
        collection.name = pathToUtf8(folder.filename());
        collection.listPath = pathToUtf8(list);
        collection.load();
        collections.push_back(std::move(collection));
    }
    return collections;
}

int MaterialCollection::load() {
    materials.clear();
    const fs::path pictures = pathFromUtf8(listPath).parent_path() / kPicturesName;
    picturesFolder = pathToUtf8(pictures);

    CsvFile csv;
    if (const CsvResult read = readCsv(pathFromUtf8(listPath), csv, kMaterialListLimit); read != kCsvRead)
        return read;
    const int codeColumn = csv.column("код");
    const int pictureColumn = csv.column("изображение");
    const int priceColumn = csv.column("цена");
    if (codeColumn < 0 || pictureColumn < 0 || priceColumn < 0) return 3;
    const int nameColumn = csv.column("название");
    const int lengthColumn = csv.column("длина");
    const int widthColumn = csv.column("ширина");
    const int thicknessColumn = csv.column("толщина");
    const int grainColumn = csv.column("текстура");

    PictureFolder folder(pictures);
    // A picture's path is the folder's with its name after the separator: a plain name adds no other part.
    const std::string picturesPrefix = [&] {
        const std::string withName = pathToUtf8(pictures / "x");
        return withName.substr(0, withName.size() - 1);
    }();
    std::set<std::string> expandedFolders;
    for (std::size_t i = 1; i < csv.lineCount(); ++i) {
        const std::string_view line = csv.line(i);
        const std::string_view code = CsvFile::field(line, codeColumn);
        const std::string_view picture = CsvFile::field(line, pictureColumn);
        if (code.empty() || picture.empty() || !isPlainName(picture)) continue;

        Material material;
        material.collection = name;
        material.code = std::string(code);
        material.name = std::string(CsvFile::field(line, nameColumn));
        material.width = readInt(CsvFile::field(line, widthColumn));
        material.length = readInt(CsvFile::field(line, lengthColumn));
        // Whole roubles and whole millimetres: the fractions are dropped. A price too large for 32-bit
        // kopecks saturates to kPriceOutOfRange; a negative one is kept, and the bill refuses both.
        material.pricePerSquareMetre =
            clampedProduct(truncToInt(readNumber(CsvFile::field(line, priceColumn))), 100);
        material.thickness =
            clampedProduct(truncToInt(readNumber(CsvFile::field(line, thicknessColumn))), 10);
        material.grain = yesOrNo(CsvFile::field(line, grainColumn));

        if (picture.find('.') != std::string_view::npos) {
            if (!hasPictureExtension(picture) || !folder.readable(picture)) continue;
            material.picturePath = picturesPrefix + std::string(picture);
            material.fromFolder = false;
            materials.push_back(std::move(material));
            continue;
        }

        // A name without a dot is a sub-folder of pictures: one material per picture, in name order. A folder
        // named again by a later line is not expanded again: its keys are taken already, so the copies could
        // never be told apart, and a long list naming one big folder would multiply it.
        if (!expandedFolders.insert(std::string(picture)).second) continue;
        material.fromFolder = true;
        for (const fs::path& entry : sortedEntries(pictures / pathFromUtf8(picture))) {
            if (!hasPictureExtension(pathToUtf8(entry.filename())) || !canRead(entry)) continue;
            Material expanded = material;
            expanded.picturePath = pathToUtf8(entry);
            materials.push_back(std::move(expanded));
        }
    }
    return 0;
}

} // namespace dalvex
