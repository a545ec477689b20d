#include "text/text_case.h"

#include <gtest/gtest.h>

#include <string>

namespace dalvex {
namespace {

TEST(TextCase, ToLower) {
    const std::pair<std::string, std::string> cases[] = {
        {"ЩЕТКА JB01 Ё", "щетка jb01 ё"},
        {"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", "абвгдежзийклмнопрстуфхцчшщъыьэюя"},
        {"ЂЃЄЅІЇЈЉЊЋЌЎЏҐ", "ђѓєѕіїјљњћќўџґ"},
        {"уже строчные abc", "уже строчные abc"},
        {"Сенфил-Н", "сенфил-н"},
        {"№ € — 中 😀", "№ € — 中 😀"},
        {"\xD0", "\xD0"}, // cut sequence copied unchanged
        {"\xD0\xD0\x90", "\xD0\xD0\xB0"},
        {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(toLower(in), out) << in;
}

TEST(TextCase, TrimNormalizedAndEquals) {
    EXPECT_EQ(trim(" \t\r\n\v\fЦвет \r\n"), "Цвет");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trim(""), "");
    EXPECT_EQ(trim("a b"), "a b");
    EXPECT_EQ(normalized("  Цвет;\r"), "цвет;");
    EXPECT_TRUE(equalsIgnoreCase("Белый ГЛЯНЕЦ", "белый глянец"));
    EXPECT_TRUE(equalsIgnoreCase("ЁЛКА", "ёлка"));
    EXPECT_FALSE(equalsIgnoreCase("ёлка", "елка"));
    EXPECT_FALSE(equalsIgnoreCase("белый ", "белый"));
}

} // namespace
} // namespace dalvex
