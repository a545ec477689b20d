#include "text/format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace dalvex {
namespace {

// What C's printf writes in the "C" locale, with the point turned into a comma.
std::string cReference(const char* pattern, double value) {
    std::setlocale(LC_NUMERIC, "C");
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    std::string text = buffer;
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string cReference(const char* pattern, long long value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

TEST(TextFormat, RealsRoundLikeC) {
    const char* patterns[] = {"%f",    "%0.1f",   "%1.2f", "%1.4f", "%2.1f", "%3.1f",   "%2.2f",  "%6.2f",
                              "%0.0f", "%5.1f",   "%5.3f", "%.2f",  "%.0f",  "%-8.2f|", "%08.2f", "%+.1f",
                              "% .1f", "%+08.3f", "%.10f", "%.20f", "%12f",  "%-+9.1f|"};
    const double values[] = {0.0,
                             -0.0,
                             0.125,
                             0.375,
                             2.5,
                             3.5,
                             -2.5,
                             1234.5,
                             5.4,
                             0.05,
                             0.15,
                             0.25,
                             1.005,
                             -0.04,
                             -0.0001,
                             999.95,
                             1e15,
                             1e300,
                             -1e300,
                             1e-300,
                             123456789.987654321,
                             2.675,
                             0.5,
                             1.5,
                             44.999999999,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min()};
    for (const char* pattern : patterns) {
        for (double value : values) {
            EXPECT_EQ(format(pattern, value), cReference(pattern, value)) << pattern << " with " << value;
        }
    }
}

TEST(TextFormat, NotANumberAndInfinityLikeGlibc) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
#if defined(__GLIBC__) // other C libraries drop the sign of a NaN; format never does
    for (const char* pattern : {"%f", "%5.1f", "%-6f|", "%06.2f", "%+f"}) {
        for (double value : {inf, -inf, nan, -nan}) {
            EXPECT_EQ(format(pattern, value), cReference(pattern, value)) << pattern << " with " << value;
        }
    }
#endif
    EXPECT_EQ(format("%f", inf), "inf");
    EXPECT_EQ(format("%f", nan), "nan");
    EXPECT_EQ(format("%5.1f", -nan), " -nan");
}

TEST(TextFormat, IntegersLikeC) {
    const char* patterns[] = {"%d",  "%i",    "%05d", "%5d",   "%02d", "%-5d|",  "%+d",
                              "% d", "%+05d", "%.3d", "%8.3d", "%.0d", "%-05d|", "%0d"};
    const long long values[] = {0,
                                1,
                                7,
                                43,
                                -5,
                                -43,
                                12345,
                                123456,
                                2147483647,
                                -2147483647LL - 1,
                                std::numeric_limits<long long>::max(),
                                std::numeric_limits<long long>::min()};
    for (const char* pattern : patterns) {
        std::string cPattern = pattern;
        cPattern.insert(cPattern.find_first_of("di"), "ll");
        for (long long value : values) {
            EXPECT_EQ(format(pattern, value), cReference(cPattern.c_str(), value))
                << pattern << " with " << value;
        }
    }
}

TEST(TextFormat, KnownOutputs) {
    struct Case {
        std::string actual, expected;
    };
    const Case cases[] = {
        {format("%6.2f", 1234.5), "1234,50"},
        {format("%6.2f", 5.4), "  5,40"},
        {format("%05d", 43), "00043"},
        {format("%05d", -5), "-0005"},
        {format("%.2f", 0.125), "0,12"},
        {format("%.0f", 2.5), "2"},
        {format("%.1f", -0.0), "-0,0"},
        {format("%d-%d", 3, 14), "3-14"},
        {format("%s_%d_%d", "Борвик", 2, 7), "Борвик_2_7"},
        {format("100%% = %d%%", 5), "100% = 5%"},
        {format("ОШИБКА: Не подходящий по толщине (%2.2f) материал.", 4.0),
         "ОШИБКА: Не подходящий по толщине (4,00) материал."},
        {format("%f", 3), "3,000000"}, // integer given for %f
        {format("%d", -7.9), "-7"},    // real given for %d truncates
        {format("%d", 1e300), "9223372036854775807"},
        {format("%d", std::nan("")), "0"},
        {format("%d|%s|%f"), "0||0,000000"}, // missing arguments
        {format("%d", "text"), "0"},
        {format("%s", 12), "12"},
        {format("%s", 1.5), "1,500000"},
        {format("no args"), "no args"},
        {format("%q%d", 4), "%q4"}, // unknown conversion copied
        {format("tail %", 1), "tail %"},
        {format("tail %5.", 1), "tail %5."},
        {format("%ld %lld", 1L, 2LL), "1 2"},
        {format("%u", 4u), "%u"},
        {format("%d", 4000000000u), "4000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(TextFormat, TextWidthAndPrecisionCountCharacters) {
    struct Case {
        std::string actual, expected;
    };
    const Case cases[] = {
        {format("%s", "Щетка"), "Щетка"},
        {format("%8s|", "Щетка"), "   Щетка|"},
        {format("%-8s|", "Щетка"), "Щетка   |"},
        {format("%3s|", "Щетка"), "Щетка|"},
        {format("%.4s", "Щетка"), "Ще"}, // four bytes are two letters
        {format("%.3s", "Щетка"), "Щ"},  // never half a letter
        {format("%.1s", "Щетка"), ""},
        {format("%.2s", "ab"), "ab"},
        {format("%.0s", "ab"), ""},
        {format("%5.2s|", "abc"), "   ab|"},
        {format("%.3s", "a😀"), "a"},
        {format("%.5s", "a😀"), "a😀"},
        {format("%05s", "ab"), "   ab"},
        {format("%s", std::string("x\0y", 3)), std::string("x\0y", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(TextFormat, HugeWidthAndPrecisionStayBounded) {
    EXPECT_LE(format("%999999999999d", 1).size(), 1000u);
    EXPECT_LE(format("%.999999999999f", 1.0).size(), 1000u);
    EXPECT_EQ(format("%.400f", 0.5).size(), 402u);
}

TEST(TextFormat, CommaToPoint) {
    EXPECT_EQ(commaToPoint("1234,50"), "1234.50");
    EXPECT_EQ(commaToPoint("1,2,3"), "1.2.3");
    EXPECT_EQ(commaToPoint("abc"), "abc");
    EXPECT_EQ(commaToPoint(""), "");
}

} // namespace
} // namespace dalvex
