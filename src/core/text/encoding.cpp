#include "text/encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace dalvex {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1251 bytes 0x80..0xBF; 0xC0..0xFF are А..я in order and below 0x80 is ASCII.
constexpr std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98 (0x98 is unassigned)
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

char32_t cp1251ToCodePoint(unsigned char b) {
    if (b < 0x80) return b;
    if (b >= 0xC0) return 0x0410 + (b - 0xC0);
    return kCp1251High[b - 0x80];
}

// The byte for a code point, or '?' when the code page lacks it.
char codePointToCp1251(char32_t cp) {
    if (cp < 0x80) return static_cast<char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<char>(0xC0 + (cp - 0x0410));
    if (cp == kReplacement) return '?';
    for (std::size_t i = 0; i < kCp1251High.size(); ++i) {
        if (kCp1251High[i] == cp) return static_cast<char>(0x80 + i);
    }
    return '?';
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one code point at `pos` and advances past it. A malformed sequence yields kReplacement and skips
// its longest valid prefix (at least one byte), so one broken character becomes one replacement.
char32_t decodeUtf8(std::string_view s, std::size_t& pos) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = at(pos++);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0) lo = 0xA0; // overlong
        if (lead == 0xED) hi = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
        if (lead == 0xF0) lo = 0x90; // overlong
        if (lead == 0xF4) hi = 0x8F; // above U+10FFFF
    } else {
        return kReplacement;
    }
    for (int k = 0; k < extra; ++k) {
        if (pos >= s.size()) return kReplacement;
        const unsigned char c = at(pos);
        if (c < lo || c > hi) return kReplacement;
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (c & 0x3F);
        ++pos;
    }
    return cp;
}

} // namespace

std::string cp1251ToUtf8(std::string_view bytes) {
    // Every byte's UTF-8 form (at most three bytes), made once: long price lists are read byte by byte.
    struct Encoded {
        std::array<char, 3> bytes{};
        std::size_t size = 0;
    };
    static const std::array<Encoded, 256> table = [] {
        std::array<Encoded, 256> t{};
        for (std::size_t b = 0; b < t.size(); ++b) {
            std::string one;
            appendUtf8(one, cp1251ToCodePoint(static_cast<unsigned char>(b)));
            t[b].size = std::min(one.size(), t[b].bytes.size());
            std::copy_n(one.begin(), t[b].size, t[b].bytes.begin());
        }
        return t;
    }();
    std::size_t size = 0;
    for (const char c : bytes)
        size += table[static_cast<unsigned char>(c)].size;
    std::string out(size, '\0');
    std::size_t at = 0;
    for (const char c : bytes) {
        const Encoded& e = table[static_cast<unsigned char>(c)];
        for (std::size_t k = 0; k < e.size; ++k)
            out[at + k] = e.bytes[k];
        at += e.size;
    }
    return out;
}

std::string utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size())
        out.push_back(codePointToCp1251(decodeUtf8(utf8, pos)));
    return out;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = decodeUtf8(utf8, pos);
        if (cp < 0x10000) {
            out.push_back(static_cast<char16_t>(cp));
        } else {
            const char32_t v = cp - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 2);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char32_t u = utf16[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

bool lessByUtf16(std::string_view a, std::string_view b) {
    // Code point by code point without allocating; a supplementary character compares by its surrogate pair,
    // so it sorts below U+E000..U+FFFF as in UTF-16.
    std::size_t pa = 0;
    std::size_t pb = 0;
    while (pa < a.size() && pb < b.size()) {
        const char32_t ca = decodeUtf8(a, pa);
        const char32_t cb = decodeUtf8(b, pb);
        if (ca == cb) continue;
        const auto firstUnit = [](char32_t cp) {
            return cp < 0x10000 ? cp : 0xD800 + ((cp - 0x10000) >> 10);
        };
        const char32_t fa = firstUnit(ca);
        const char32_t fb = firstUnit(cb);
        if (fa != fb) return fa < fb;
        return ca < cb; // same high surrogate: the low surrogates order as the code points do
    }
    return pa >= a.size() && pb < b.size();
}

} // namespace dalvex
