#include "text/millimetres.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace dalvex {
namespace {

TEST(TextMillimetres, ReadsTheTypedLength) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const std::pair<std::string, std::optional<int32_t>> cases[] = {
        {"2780", 27800},
        {"2780,5", 27805},
        {"2780.5", 27805},
        {"2780,54", 27805},
        {"2780,55", 27806},
        {"2780,96", 27810},
        {",5", 5},
        {"7,", 70},
        {" 2 780 ", 27800},
        {"2\xC2\xA0"
         "780",
         27800},
        {"1\xE2\x80\xAF"
         "000\xE2\x80\xAF"
         "000,5",
         10000005},
        {"99999999999", kMax},
        {"", std::nullopt},
        {" ", std::nullopt},
        {",", std::nullopt},
        {"-5", std::nullopt},
        {"+5", std::nullopt},
        {"12x", std::nullopt},
        {"abc", std::nullopt},
        {"1,2,3", std::nullopt},
        {"1.2,3", std::nullopt},
    };
    for (const auto& [text, tenths] : cases)
        EXPECT_EQ(readMillimetres(text), tenths) << text;
}

TEST(TextMillimetres, WritesTheStoredLength) {
    const struct {
        int32_t tenths;
        bool grouped;
        const char* text;
    } cases[] = {
        {27800, false, "2780"},
        {27805, false, "2780,5"},
        {5, false, "0,5"},
        {0, false, "0"},
        {-15, false, "-1,5"},
        {1000000, true, "100 000"},
        {1000000, false, "100000"},
        {540, true, "54"},
        {10000005, true, "1 000 000,5"},
        {std::numeric_limits<int32_t>::min(), true, "-214 748 364,8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(millimetresText(c.tenths, c.grouped), c.text) << c.tenths;
}

} // namespace
} // namespace dalvex
