#pragma once
// Doubles to and from text without the locale. Where the standard library has std::to_chars and
// std::from_chars for double they are used as they are; a library without them (the browser build's libc++)
// gets the same results from the C library's exact conversions, whose decimal point is always '.' there.
#include <charconv>
#include <version>

namespace dalvex {

#if defined(__cpp_lib_to_chars)
// The shortest form that reads back to the same double, as std::to_chars writes it.
inline std::to_chars_result realToChars(char* first, char* last, double value) {
    return std::to_chars(first, last, value);
}
// `precision` digits after the point (std::chars_format::fixed), or in the exponent form.
inline std::to_chars_result realToChars(char* first, char* last, double value, std::chars_format format,
                                        int precision) {
    return std::to_chars(first, last, value, format, precision);
}
// A decimal number in std::from_chars's general form; out of range leaves `value` as it was.
inline std::from_chars_result realFromChars(const char* first, const char* last, double& value) {
    return std::from_chars(first, last, value);
}
#else
std::to_chars_result realToChars(char* first, char* last, double value);
std::to_chars_result realToChars(char* first, char* last, double value, std::chars_format format,
                                 int precision);
std::from_chars_result realFromChars(const char* first, const char* last, double& value);
#endif

} // namespace dalvex
