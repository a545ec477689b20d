#pragma once
// printf-style formatting that never depends on the process locale. Reals are written with a decimal comma,
// which is how every number with a fractional part appears in this program's texts, tables and files.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace dalvex {

// One argument of format(): an integer, a real or a text.
struct FormatArg {
    enum class Kind { Int, Real, Text } kind;
    int64_t i = 0;
    double d = 0.0;
    std::string_view s;

    FormatArg(int v) : kind(Kind::Int), i(v) {}
    FormatArg(long v) : kind(Kind::Int), i(v) {}
    FormatArg(long long v) : kind(Kind::Int), i(v) {}
    FormatArg(unsigned v) : kind(Kind::Int), i(v) {}
    FormatArg(double v) : kind(Kind::Real), d(v) {}
    FormatArg(float v) : kind(Kind::Real), d(v) {}
    FormatArg(std::string_view v) : kind(Kind::Text), s(v) {}
    FormatArg(const std::string& v) : kind(Kind::Text), s(v) {}
    FormatArg(const char* v) : kind(Kind::Text), s(v) {}
};

// Supports %d and %i, %f, %s and %%, with the flags '-', '0', '+', ' ', a width and a precision, as C's
// printf does (with C's rounding for %f), except that %f writes "," instead of "." as the decimal separator.
// An integer given for %f is formatted as a real and a real given for %d is truncated toward zero; a missing
// argument formats as 0 or empty text.
std::string formatArgs(std::string_view pattern, std::initializer_list<FormatArg> args);

template <class... Args> std::string format(std::string_view pattern, const Args&... args) {
    return formatArgs(pattern, {FormatArg(args)...});
}

// Replaces every decimal comma with a point (numbers in workbook Number cells).
std::string commaToPoint(std::string_view text);

} // namespace dalvex
