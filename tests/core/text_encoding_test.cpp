#include "text/encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace dalvex {
namespace {

struct Cp1251Case {
    std::string utf8;
    std::string cp1251;
};

TEST(TextEncoding, KnownTextsConvertBothWays) {
    const Cp1251Case cases[] = {
        {"", ""},
        {"abc;123", "abc;123"},
        {"Ёё", "\xA8\xB8"},
        {"Щетка торцевая", "\xD9\xE5\xF2\xEA\xE0 \xF2\xEE\xF0\xF6\xE5\xE2\xE0\xFF"},
        {"№", "\xB9"},
        {"€", "\x88"},
        {"—", "\x97"},
        {"«»", "\xAB\xBB"},
        {"Ґґ Її Єє Іі Ўў", "\xA5\xB4 \xAF\xBF \xAA\xBA \xB2\xB3 \xA1\xA2"},
        {"Ђ Џ ™ \xC2\xA0", "\x80 \x8F \x99 \xA0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
        EXPECT_EQ(cp1251ToUtf8(c.cp1251), c.utf8) << c.utf8;
    }
}

TEST(TextEncoding, EveryCyrillicLetterRoundTrips) {
    std::string all;
    for (char32_t cp = 0x0410; cp <= 0x044F; ++cp)
        all += utf16ToUtf8(std::u16string(1, static_cast<char16_t>(cp)));
    all += "Ёё";
    const std::string bytes = utf8ToCp1251(all);
    ASSERT_EQ(bytes.size(), 66u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC0);
    EXPECT_EQ(static_cast<unsigned char>(bytes[63]), 0xFF);
    EXPECT_EQ(cp1251ToUtf8(bytes), all);
}

TEST(TextEncoding, EveryByteExceptTheUnassignedOneRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = cp1251ToUtf8(byte);
        if (b == 0x98) {
            EXPECT_EQ(utf8, "\xEF\xBF\xBD");
            EXPECT_EQ(utf8ToCp1251(utf8), "?");
        } else {
            EXPECT_EQ(utf8ToCp1251(utf8), byte) << b;
        }
    }
}

TEST(TextEncoding, MissingAndBrokenCharactersBecomeQuestionMarks) {
    const Cp1251Case cases[] = {
        {"中", "?"},
        {"a中b", "a?b"},
        {"😀", "?"},
        {"\xD0", "?"},                // cut two-byte sequence
        {"\xE4\xB8", "?"},            // cut three-byte sequence: one character, one mark
        {"\x80x", "?x"},              // stray continuation byte
        {"\xC0\xAF", "??"},           // overlong form
        {"\xED\xA0\x80", "???"},      // encoded surrogate
        {"\xF4\x90\x80\x80", "????"}, // above U+10FFFF
        {"\xFF\xD0\x81", "?\xA8"},    // bad byte then Ё
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
}

TEST(TextEncoding, Utf16RoundTripAndRepairs) {
    EXPECT_EQ(utf8ToUtf16("Сенфил-Н").size(), 8u);
    EXPECT_EQ(utf8ToUtf16("😀"), u"\xD83D\xDE00");
    for (const std::string text : {"", "abc", "Щетка №5", "€—中", "a😀b"}) {
        EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text) << text;
    }
    EXPECT_EQ(utf8ToUtf16("a\xFF"), u"a\xFFFD");
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xD83D')), "\xEF\xBF\xBD");
    EXPECT_EQ(utf16ToUtf8(u"\xDE00x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(utf16ToUtf8(u"\xD83Dx"), "\xEF\xBF\xBDx");
}

TEST(TextEncoding, LessByUtf16) {
    struct Case {
        std::string a, b;
        bool less;
    };
    const Case cases[] = {
        {"", "", false},
        {"", "a", true},
        {"a", "", false},
        {"a", "b", true},
        {"ab", "a", false},
        {"Z", "a", true},
        {"я", "ё", true},
        {"Ё", "А", true},
        {"😀", "\xEF\xBC\xA1", true}, // U+1F600 is D83D.. and sorts below U+FF21 in UTF-16
        {"\xEF\xBC\xA1", "😀", false},
        {"😀", "😁", true},
        {"😀", "😀", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lessByUtf16(c.a, c.b), c.less) << c.a << " < " << c.b;
        EXPECT_EQ(lessByUtf16(c.a, c.b), utf8ToUtf16(c.a) < utf8ToUtf16(c.b)) << c.a << " < " << c.b;
    }
}

} // namespace
} // namespace dalvex
