#include "text/real_chars.h"

#if !defined(__cpp_lib_to_chars)
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace dalvex {
namespace {

std::to_chars_result copyOut(char* first, char* last, const std::string& text) {
    if (text.size() > static_cast<std::size_t>(last - first)) return {last, std::errc::value_too_large};
    std::memcpy(first, text.data(), text.size());
    return {first + text.size(), std::errc()};
}

// printf's form of a finite double; every character that is not a digit, a sign or an exponent mark is the
// decimal point.
std::string printed(const char* pattern, int precision, double value) {
    const int size = std::snprintf(nullptr, 0, pattern, precision, value);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern, precision, value);
    text.pop_back();
    for (char& c : text)
        if ((c < '0' || c > '9') && c != '-' && c != '+' && c != 'e') c = '.';
    return text;
}

double readBack(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

std::string nonFinite(double value) {
    return std::string(std::signbit(value) ? "-" : "") + (std::isnan(value) ? "nan" : "inf");
}

// The fixed or the exponent form of the digits d1 d2 ... times 10^exponent (d1 before the point), whichever
// is shorter; the fixed one on a tie, as std::to_chars chooses. A whole number past the digits is written
// exactly in the fixed form, as std::to_chars writes it, not with zeros.
std::string shorterForm(double magnitude, bool negative, const std::string& digits, int exponent) {
    std::string scientific = digits.substr(0, 1);
    if (digits.size() > 1) scientific += "." + digits.substr(1);
    const int power = exponent < 0 ? -exponent : exponent;
    scientific += exponent < 0 ? "e-" : "e+";
    if (power < 10) scientific += '0';
    scientific += std::to_string(power);

    std::string fixed;
    const int count = static_cast<int>(digits.size());
    if (exponent < 0) {
        fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (count <= exponent + 1) {
        fixed = printed("%.*f", 0, magnitude);
    } else {
        fixed = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                digits.substr(static_cast<std::size_t>(exponent + 1));
    }
    return (negative ? "-" : "") + (fixed.size() <= scientific.size() ? fixed : scientific);
}

} // namespace

std::to_chars_result realToChars(char* first, char* last, double value) {
    if (!std::isfinite(value)) return copyOut(first, last, nonFinite(value));
    if (value == 0.0) return copyOut(first, last, std::signbit(value) ? "-0" : "0");
    // The fewest significant digits that read back to the same double; printf rounds them correctly, so
    // they are also the closest such digits.
    std::string exponentForm;
    for (int precision = 0; precision < 17; ++precision) {
        exponentForm = printed("%.*e", precision, std::fabs(value));
        if (readBack(exponentForm) == std::fabs(value)) break;
    }
    const std::size_t mark = exponentForm.find('e');
    std::string digits;
    for (std::size_t i = 0; i < mark; ++i)
        if (exponentForm[i] != '.') digits += exponentForm[i];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::atoi(exponentForm.c_str() + mark + 1);
    return copyOut(first, last, shorterForm(std::fabs(value), std::signbit(value), digits, exponent));
}

std::to_chars_result realToChars(char* first, char* last, double value, std::chars_format format,
                                 int precision) {
    if (!std::isfinite(value)) return copyOut(first, last, nonFinite(value));
    const char* pattern = format == std::chars_format::scientific ? "%.*e"
                          : format == std::chars_format::fixed    ? "%.*f"
                                                                  : "%.*g";
    return copyOut(first, last, printed(pattern, precision, value));
}

std::from_chars_result realFromChars(const char* first, const char* last, double& value) {
    // std::from_chars's general form: an optional '-', digits with an optional fraction, an optional
    // exponent; no blanks, no '+', no hexadecimal.
    const char* p = first;
    if (p < last && *p == '-') ++p;
    const char* digitsStart = p;
    while (p < last && *p >= '0' && *p <= '9')
        ++p;
    bool anyDigit = p > digitsStart;
    if (p < last && *p == '.') {
        const char* fraction = ++p;
        while (p < last && *p >= '0' && *p <= '9')
            ++p;
        anyDigit = anyDigit || p > fraction;
    }
    if (!anyDigit) return {first, std::errc::invalid_argument};
    if (p < last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q < last && (*q == '+' || *q == '-')) ++q;
        const char* exponentDigits = q;
        while (q < last && *q >= '0' && *q <= '9')
            ++q;
        if (q > exponentDigits) p = q;
    }
    const std::string text(first, p);
    errno = 0;
    const double read = std::strtod(text.c_str(), nullptr);
    // strtod says ERANGE for an underflow to a subnormal too; only zero and infinity are out of range.
    if (errno == ERANGE && (read == 0.0 || std::isinf(read))) return {p, std::errc::result_out_of_range};
    value = read;
    return {p, std::errc()};
}

} // namespace dalvex
#endif
