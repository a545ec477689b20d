#include "text/numbers.h"

#include "text/real_chars.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace dalvex {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipBlanks(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

// A digit-group separator as spreadsheets write it: a space, a no-break space (U+00A0) or a narrow no-break
// space (U+202F). Its length in bytes at `pos`; 0 when there is none.
std::size_t groupSeparatorAt(std::string_view text, std::size_t pos) {
    if (pos < text.size() && text[pos] == ' ') return 1;
    for (std::string_view separator : {std::string_view("\xC2\xA0"), std::string_view("\xE2\x80\xAF")})
        if (text.substr(pos, separator.size()) == separator) return separator.size();
    return 0;
}

// The whole part's digits from `pos` on, digit groups joined ("1 650" is 1650): only after a first group of
// one to three digits, and only groups of exactly three; reading stops before a separator that does not
// begin such a group. `pos` ends after the last digit taken.
std::string wholeDigits(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    std::string digits(text.substr(start, pos - start));
    if (digits.empty() || digits.size() > 3) return digits;
    for (;;) {
        const std::size_t groupStart = pos + groupSeparatorAt(text, pos);
        std::size_t end = groupStart;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        if (groupStart == pos || end - groupStart != 3) return digits;
        digits.append(text.substr(groupStart, 3));
        pos = end;
    }
}

constexpr double kIntMax = 2147483647.0;
constexpr double kIntMin = -2147483648.0;

int32_t clampRealToInt(double whole) {
    if (std::isnan(whole)) return 0;
    if (whole >= kIntMax) return std::numeric_limits<int32_t>::max();
    if (whole <= kIntMin) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(whole);
}

} // namespace

double readNumber(std::string_view text) {
    std::size_t pos = skipBlanks(text);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';

    const std::string intDigits = wholeDigits(text, pos);
    std::string_view fracDigits;
    if (pos < text.size() && (text[pos] == ',' || text[pos] == '.')) {
        const std::size_t fracStart = pos + 1;
        std::size_t end = fracStart;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        // A lone separator without any digit around it is not a number.
        if (!intDigits.empty() || end > fracStart) {
            fracDigits = text.substr(fracStart, end - fracStart);
            pos = end;
        }
    }
    if (intDigits.empty() && fracDigits.empty()) return 0.0;

    // The exponent counts only when at least one digit follows the 'e' and its sign.
    std::string_view expText;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t end = pos + 1;
        if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
        const std::size_t digitsStart = end;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        if (end > digitsStart) expText = text.substr(pos + 1, end - pos - 1);
    }

    std::string normal;
    normal.reserve(intDigits.size() + fracDigits.size() + expText.size() + 3);
    normal.append(intDigits.empty() ? "0" : intDigits);
    if (!fracDigits.empty()) {
        normal.push_back('.');
        normal.append(fracDigits);
    }
    if (!expText.empty()) {
        normal.push_back('e');
        normal.append(expText);
    }

    double value = 0.0;
    const auto [end, ec] = realFromChars(normal.data(), normal.data() + normal.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Decide overflow or underflow from the decimal magnitude: position of the first significant digit
        // relative to the point, plus the exponent (saturated; only its sign matters this far out).
        long long magnitude = 0;
        const std::size_t firstSignificant = intDigits.find_first_not_of('0');
        if (firstSignificant != std::string_view::npos) {
            magnitude = static_cast<long long>(intDigits.size() - firstSignificant);
        } else {
            const std::size_t firstFrac = fracDigits.find_first_not_of('0');
            magnitude = -static_cast<long long>(firstFrac == std::string_view::npos ? 0 : firstFrac);
        }
        long long exponent = 0;
        std::size_t i = 0;
        bool expNegative = false;
        if (i < expText.size() && (expText[i] == '+' || expText[i] == '-')) expNegative = expText[i++] == '-';
        for (; i < expText.size() && exponent < 1000000; ++i)
            exponent = exponent * 10 + (expText[i] - '0');
        magnitude += expNegative ? -exponent : exponent;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

int32_t readInt(std::string_view text) {
    std::size_t pos = skipBlanks(text);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    // Accumulate toward the sign so that INT32_MIN itself is reachable.
    int64_t value = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        const int digit = text[pos] - '0';
        value = value * 10 + (negative ? -digit : digit);
        if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
        if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

int32_t truncToInt(double value) {
    return clampRealToInt(std::trunc(value));
}

int32_t ceilToInt(double value) {
    return clampRealToInt(std::ceil(value));
}

int32_t floorToInt(double value) {
    return clampRealToInt(std::floor(value));
}

} // namespace dalvex
