#include "text/excerpt.h"

#include "text/encoding.h"

namespace dalvex {

namespace {

bool printable(char16_t unit) {
    return unit >= 0x20 && unit != 0x7F && !(unit >= 0x80 && unit < 0xA0) && unit != 0xFFFD;
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

} // namespace

std::string excerpt(std::string_view utf8, std::size_t maxChars) {
    // No character takes more than four bytes, so the first maxChars characters lie within this prefix; the
    // rest is never decoded.
    const std::u16string units = utf8ToUtf16(utf8.substr(0, maxChars * 4 + 4));
    std::u16string shown;
    std::size_t chars = 0;
    std::size_t i = 0;
    for (; i < units.size() && chars < maxChars; ++i, ++chars) {
        if (isHighSurrogate(units[i]) && i + 1 < units.size()) {
            shown += units[i];
            shown += units[++i];
        } else {
            shown += printable(units[i]) ? units[i] : u'?';
        }
    }
    std::string text = utf16ToUtf8(shown);
    if (i < units.size() || utf8.size() > maxChars * 4 + 4) text += "…";
    return text;
}

} // namespace dalvex
