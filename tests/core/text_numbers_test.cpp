#include "text/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace dalvex {
namespace {

TEST(TextNumbers, ReadNumber) {
    const std::pair<std::string, double> cases[] = {
        {"123,45", 123.45},
        {" 123.45", 123.45},
        {"12,5abc", 12.5},
        {"", 0.0},
        {"abc", 0.0},
        {"-3,5", -3.5},
        {"1e3", 1000.0},
        {",5", 0.5},
        {"+.25", 0.25},
        {"7,", 7.0},
        {"\t\r\n 42;", 42},
        {"1,5e-2", 0.015},
        {"2e", 2.0},
        {"2e+", 2.0},
        {"3E+2x", 300.0},
        {",", 0.0},
        {"-", 0.0},
        {"-,e5", 0.0},
        {"1,2,3", 1.2},
        {"1.2.3", 1.2},
        {"0,1", 0.1},
        {"00012", 12.0},
        // Digit groups of three, as spreadsheets write them, with a space or a no-break space.
        {"1 000", 1000.0},
        {"1\xC2\xA0"
         "650,50",
         1650.5},
        {"1\xE2\x80\xAF"
         "650",
         1650.0},
        {"-12 345 678", -12345678.0},
        {" 21 474 836,48", 21474836.48},
        {"1 65", 1.0},        // not a group of three
        {"1 6500", 1.0},      //
        {"1  650", 1.0},      // two separators
        {"1234 567", 1234.0}, // a first group of more than three
        {"1 650 5", 1650.0},
        {"1 650e2", 165000.0},
        {"1e-400", 0.0},
        {"0."
         "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "000000"
         "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "000000"
         "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0001e-100",
         0.0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(readNumber(text), value) << '"' << text << '"';
    EXPECT_EQ(readNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(readNumber("-1e99999999999999999999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(readNumber("0,001e99999999999999999999"), std::numeric_limits<double>::infinity());
}

TEST(TextNumbers, ReadIntSaturates) {
    const std::pair<std::string, int32_t> cases[] = {
        {"", 0},
        {"abc", 0},
        {"42", 42},
        {"  -17x", -17},
        {"+8", 8},
        {"12,7", 12},
        {"--1", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"-2147483649", std::numeric_limits<int32_t>::min()},
        {"99999999999999999999999999", 2147483647},
        {"-99999999999999999999999999", std::numeric_limits<int32_t>::min()},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(readInt(text), value) << '"' << text << '"';
}

TEST(TextNumbers, RealToIntClamps) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    struct Case {
        double value;
        int32_t trunc, ceil, floor;
    };
    const Case cases[] = {
        {0.0, 0, 0, 0},
        {2.5, 2, 3, 2},
        {-2.5, -2, -2, -3},
        {7.0, 7, 7, 7},
        {-0.1, 0, 0, -1},
        {2147483646.5, 2147483646, kMax, 2147483646},
        {2147483647.9, kMax, kMax, kMax},
        {-2147483648.5, kMin, kMin, kMin},
        {1e300, kMax, kMax, kMax},
        {-1e300, kMin, kMin, kMin},
        {inf, kMax, kMax, kMax},
        {-inf, kMin, kMin, kMin},
        {std::nan(""), 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(truncToInt(c.value), c.trunc) << c.value;
        EXPECT_EQ(ceilToInt(c.value), c.ceil) << c.value;
        EXPECT_EQ(floorToInt(c.value), c.floor) << c.value;
    }
}

} // namespace
} // namespace dalvex
