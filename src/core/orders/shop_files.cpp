#include "orders/shop_files.h"

#include "io/whole_file.h"
#include "text/encoding.h"

namespace dalvex {

std::string shopLogoBytes(const std::filesystem::path& configFolder) {
    std::string bytes;
    readWholeFile(configFolder / "logo.jpg", bytes, kPictureFileLimit);
    return bytes;
}

std::string shopInfoText(const std::filesystem::path& configFolder) {
    std::string bytes;
    readWholeFile(configFolder / "info.txt", bytes, kConfigFileLimit);
    return cp1251ToUtf8(bytes);
}

} // namespace dalvex
