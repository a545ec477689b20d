#include "text/text_case.h"

namespace dalvex {

std::string toLower(std::string_view utf8) {
    // Works on the bytes: every capital handled here is a two-byte sequence led by 0xD0 (or 0xD2 for Ґ), and
    // a continuation byte can never be such a lead, so malformed input is simply copied.
    std::string out(utf8);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (b >= 'A' && b <= 'Z') {
            out[i] = static_cast<char>(b + ('a' - 'A'));
            continue;
        }
        if (i + 1 >= out.size()) break;
        const auto next = static_cast<unsigned char>(out[i + 1]);
        if (b == 0xD0) {
            if (next >= 0x90 && next <= 0x9F) { // А..П -> а..п
                out[i + 1] = static_cast<char>(next + 0x20);
            } else if (next >= 0xA0 && next <= 0xAF) { // Р..Я -> р..я
                out[i] = static_cast<char>(0xD1);
                out[i + 1] = static_cast<char>(next - 0x20);
            } else if (next >= 0x81 && next <= 0x8F && next != 0x8D) { // Ё Ђ .. Џ of the code page
                out[i] = static_cast<char>(0xD1);
                out[i + 1] = static_cast<char>(next + 0x10);
            }
        } else if (b == 0xD2 && next == 0x90) { // Ґ
            out[i + 1] = static_cast<char>(0x91);
        }
        if (b >= 0xC0 && next >= 0x80 && next <= 0xBF) ++i; // skip the continuation byte just looked at
    }
    return out;
}

std::string_view trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string normalized(std::string_view utf8) {
    return toLower(trim(utf8));
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return toLower(a) == toLower(b);
}

} // namespace dalvex
