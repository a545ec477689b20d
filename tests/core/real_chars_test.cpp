// Doubles to and from text as the JSON, the reports and the data files need them: the standard library's
// conversions where it has them, the bridges of text/real_chars.h where it does not (these tests run under
// node too, where the bridges are in use).
#include "text/real_chars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace dalvex {
namespace {

std::string shortest(double v) {
    char buffer[64];
    const auto r = realToChars(buffer, buffer + sizeof buffer, v);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : "error";
}

std::string fixed(double v, int precision) {
    char buffer[400];
    const auto r = realToChars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, precision);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : "error";
}

TEST(RealChars, ShortestFormThatReadsBack) {
    const std::pair<double, const char*> cases[] = {
        {0.1, "0.1"},
        {0.3, "0.3"},
        {2.0 / 3, "0.6666666666666666"},
        {-2.5, "-2.5"},
        {0.0, "0"},
        {-0.0, "-0"},
        {100, "100"},
        {123456, "123456"},
        {5.5952133, "5.5952133"},
        {0.001234, "0.001234"},
        // The exponent form where it is shorter, with two exponent digits at least.
        {1e-4, "1e-04"},
        {1.5e-7, "1.5e-07"},
        {1e15, "1e+15"},
        {1e20, "1e+20"},
        {5e-324, "5e-324"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        // A whole number written out in the fixed form is its exact value.
        {123456789012345680000.0, "123456789012345683968"},
        {12345678901234567.0, "12345678901234568"},
        {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(shortest(value), text) << text;
    char small[3];
    EXPECT_EQ(realToChars(small, small + sizeof small, 0.125).ec, std::errc::value_too_large);
}

TEST(RealChars, FixedDigitsRoundTheExactValue) {
    const struct {
        double value;
        int precision;
        const char* text;
    } cases[] = {
        {1.005, 2, "1.00"}, // 1.00499999999999989...
        {0.125, 2, "0.12"}, // exactly halfway: to even
        {2.5, 0, "2"},
        {123.456, 1, "123.5"},
        {0.0, 3, "0.000"},
        {1e22, 0, "10000000000000000000000"},
        {-7.25, 1, "-7.2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fixed(c.value, c.precision), c.text) << c.text;
}

TEST(RealChars, ReadingStopsWhereTheNumberEnds) {
    const struct {
        const char* text;
        double value;
        int used; // characters read; -1: nothing read
    } cases[] = {
        {"1.5", 1.5, 3},       {"1.5x", 1.5, 3},   {"-0.25", -0.25, 5}, {".5", 0.5, 2},   {"7.", 7.0, 2},
        {"1e3", 1000.0, 3},    {"1e", 1.0, 1},     {"2E-2;", 0.02, 4},  {"1e+", 1.0, 1}, {"+1", 0.0, -1},
        {"", 0.0, -1},         {"-", 0.0, -1},     {".", 0.0, -1},      {" 1", 0.0, -1}, {"1e-320", 1e-320, 6},
    };
    for (const auto& c : cases) {
        double value = 0.0;
        const std::string text = c.text;
        const auto r = realFromChars(text.data(), text.data() + text.size(), value);
        if (c.used < 0) {
            EXPECT_EQ(r.ec, std::errc::invalid_argument) << c.text;
            continue;
        }
        EXPECT_EQ(r.ec, std::errc()) << c.text;
        EXPECT_EQ(r.ptr - text.data(), c.used) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    for (const char* outOfRange : {"1e400", "-1e400", "1e-400"}) {
        double value = 42.0;
        const std::string text = outOfRange;
        EXPECT_EQ(realFromChars(text.data(), text.data() + text.size(), value).ec, std::errc::result_out_of_range);
        EXPECT_EQ(value, 42.0) << outOfRange;
    }
}

} // namespace
} // namespace dalvex
