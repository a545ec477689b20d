#include "io/utf8_path.h"

#include "text/encoding.h"

namespace dalvex {

// The conversions of the standard library may throw on malformed text and, for narrow strings on Windows,
// follow the ANSI code page; the core's own UTF-8 and UTF-16 conversions do neither.
std::filesystem::path pathFromUtf8(std::string_view utf8) {
#if defined(_WIN32)
    const std::u16string units = utf8ToUtf16(utf8);
    return std::filesystem::path(std::wstring(units.begin(), units.end()));
#else
    return std::filesystem::path(std::string(utf8));
#endif
}

std::string pathToUtf8(const std::filesystem::path& path) {
#if defined(_WIN32)
    const std::wstring& native = path.native();
    return utf16ToUtf8(std::u16string(native.begin(), native.end()));
#else
    return path.native();
#endif
}

} // namespace dalvex
