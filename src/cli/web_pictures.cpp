#include "web_pictures.h"

// Debian's header-only stb (libstb-dev) decodes, scales and encodes, here only: the core reads no pictures.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace dalvex::cli {

namespace {

constexpr int kChannels = 3;
// More pixels than any library picture needs; decoding them would take gigabytes.
constexpr long long kMostPixels = 64LL << 20;
// Qualities tried in turn at each size before the picture is made smaller.
constexpr int kQualities[] = {85, 75, 65, 50};

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

std::string jpeg(const Pixels& p, int quality) {
    std::string out;
    stbi_write_jpg_to_func(appendBytes, &out, p.width, p.height, kChannels, p.rgb.data(), quality);
    return out;
}

Pixels scaled(const Pixels& p, int longestSide) {
    const double factor = std::min(1.0, static_cast<double>(longestSide) / std::max(p.width, p.height));
    Pixels out;
    out.width = std::max(1, static_cast<int>(p.width * factor));
    out.height = std::max(1, static_cast<int>(p.height * factor));
    if (out.width == p.width && out.height == p.height) return p;
    out.rgb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * kChannels);
    stbir_resize_uint8(p.rgb.data(), p.width, p.height, 0, out.rgb.data(), out.width, out.height, 0, kChannels);
    return out;
}

} // namespace

std::optional<std::string> webPicture(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return std::nullopt;
    int width = 0;
    int height = 0;
    int channels = 0;
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int size = static_cast<int>(bytes.size());
    if (!stbi_info_from_memory(data, size, &width, &height, &channels) ||
        static_cast<long long>(width) * height > kMostPixels)
        return std::nullopt;
    const bool isJpeg = bytes.size() > 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                        static_cast<unsigned char>(bytes[1]) == 0xD8;
    if (isJpeg && bytes.size() <= kWebPictureLimit && std::max(width, height) <= kWebPictureSide)
        return std::string(bytes);

    const std::unique_ptr<stbi_uc, void (*)(void*)> decoded(
        stbi_load_from_memory(data, size, &width, &height, &channels, kChannels), stbi_image_free);
    if (!decoded) return std::nullopt;
    Pixels picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.assign(decoded.get(),
                       decoded.get() + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kChannels);
    for (int side = kWebPictureSide;; side = side * 3 / 4) {
        const Pixels smaller = scaled(picture, side);
        for (int quality : kQualities) {
            std::string out = jpeg(smaller, quality);
            if (!out.empty() && (out.size() <= kWebPictureLimit || side < 16)) return out;
        }
    }
}

} // namespace dalvex::cli
