#include "text/format.h"

#include "text/real_chars.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace dalvex {
namespace {

// Patterns come from the program itself; the limits only keep a stray pattern from allocating without bound.
constexpr int kMaxWidth = 1000;
constexpr int kMaxPrecision = 400;

struct Conversion {
    bool left = false;
    bool zero = false;
    bool plus = false;
    bool space = false;
    int width = 0;
    int precision = -1; // -1: none given
    char conversion = 0;
};

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t codePointCount(std::string_view s) {
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return !isContinuationByte(c); }));
}

// Writes sign and body into `out`, padded to the width: spaces before (or after with '-'), or zeros between
// the sign and the body when `zeroPad`.
void pad(std::string& out, const Conversion& conv, std::string_view sign, std::string_view body, bool zeroPad,
         std::size_t bodyChars) {
    const std::size_t used = sign.size() + bodyChars;
    const std::size_t fill = static_cast<std::size_t>(conv.width) > used ? conv.width - used : 0;
    if (conv.left) {
        out.append(sign).append(body).append(fill, ' ');
    } else if (zeroPad) {
        out.append(sign).append(fill, '0').append(body);
    } else {
        out.append(fill, ' ').append(sign).append(body);
    }
}

std::string_view signText(bool negative, const Conversion& conv) {
    if (negative) return "-";
    if (conv.plus) return "+";
    if (conv.space) return " ";
    return "";
}

void formatInt(std::string& out, const Conversion& conv, int64_t value) {
    const bool negative = value < 0;
    // Magnitude in unsigned arithmetic: negating INT64_MIN would overflow.
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
    std::string digits(buffer, result.ptr);
    if (conv.precision >= 0) {
        // C: the precision is the minimum number of digits, and a zero with precision 0 prints no digits.
        if (conv.precision == 0 && magnitude == 0) digits.clear();
        if (digits.size() < static_cast<std::size_t>(conv.precision))
            digits.insert(0, conv.precision - digits.size(), '0');
    }
    const bool zeroPad = conv.zero && !conv.left && conv.precision < 0;
    pad(out, conv, signText(negative, conv), digits, zeroPad, digits.size());
}

void formatReal(std::string& out, const Conversion& conv, double value) {
    const bool negative = std::signbit(value);
    const std::string_view sign = signText(negative, conv);
    if (std::isnan(value) || std::isinf(value)) {
        const std::string_view body = std::isnan(value) ? "nan" : "inf";
        pad(out, conv, sign, body, false, body.size());
        return;
    }
    const int precision = conv.precision < 0 ? 6 : conv.precision;
    // Enough for the 309 integer digits of the largest double plus the point and the fraction.
    std::string digits(static_cast<std::size_t>(precision) + 320, '\0');
    const auto result = realToChars(digits.data(), digits.data() + digits.size(), std::fabs(value),
                                    std::chars_format::fixed, precision);
    digits.resize(result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - digits.data()) : 0);
    std::replace(digits.begin(), digits.end(), '.', ',');
    pad(out, conv, sign, digits, conv.zero && !conv.left, digits.size());
}

void formatText(std::string& out, const Conversion& conv, std::string_view text) {
    if (conv.precision >= 0 && text.size() > static_cast<std::size_t>(conv.precision)) {
        // Cut by bytes, backing up to the start of a character so that no UTF-8 sequence is split.
        std::size_t cut = static_cast<std::size_t>(conv.precision);
        while (cut > 0 && isContinuationByte(text[cut]))
            --cut;
        text = text.substr(0, cut);
    }
    pad(out, conv, "", text, false, codePointCount(text));
}

int64_t toInt64(double value) {
    if (std::isnan(value)) return 0;
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double kLimit = 9223372036854775808.0;
    if (value >= kLimit) return std::numeric_limits<int64_t>::max();
    if (value <= -kLimit) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(value);
}

void formatOne(std::string& out, const Conversion& conv, const FormatArg* arg) {
    switch (conv.conversion) {
    case 'd':
    case 'i':
        if (arg == nullptr || arg->kind == FormatArg::Kind::Text) return formatInt(out, conv, 0);
        return formatInt(out, conv, arg->kind == FormatArg::Kind::Int ? arg->i : toInt64(arg->d));
    case 'f':
        if (arg == nullptr || arg->kind == FormatArg::Kind::Text) return formatReal(out, conv, 0.0);
        return formatReal(out, conv,
                          arg->kind == FormatArg::Kind::Int ? static_cast<double>(arg->i) : arg->d);
    default: // 's'
        if (arg == nullptr) return formatText(out, conv, "");
        if (arg->kind == FormatArg::Kind::Text) return formatText(out, conv, arg->s);
        // A number given for %s is written in its %d or %f form, padded like text.
        Conversion plain;
        plain.left = conv.left;
        plain.width = conv.width;
        if (arg->kind == FormatArg::Kind::Int) return formatInt(out, plain, arg->i);
        return formatReal(out, plain, arg->d);
    }
}

int readCount(std::string_view pattern, std::size_t& pos) {
    int value = 0;
    while (pos < pattern.size() && pattern[pos] >= '0' && pattern[pos] <= '9') {
        value = std::min(value * 10 + (pattern[pos] - '0'), 1000000);
        ++pos;
    }
    return value;
}

} // namespace

std::string formatArgs(std::string_view pattern, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(pattern.size() + 16);
    const FormatArg* next = args.begin();
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const std::size_t percent = pattern.find('%', pos);
        if (percent == std::string_view::npos) {
            out.append(pattern.substr(pos));
            break;
        }
        out.append(pattern.substr(pos, percent - pos));
        pos = percent + 1;

        Conversion conv;
        for (; pos < pattern.size(); ++pos) {
            const char c = pattern[pos];
            if (c == '-')
                conv.left = true;
            else if (c == '0')
                conv.zero = true;
            else if (c == '+')
                conv.plus = true;
            else if (c == ' ')
                conv.space = true;
            else if (c != '#')
                break;
        }
        conv.width = std::min(readCount(pattern, pos), kMaxWidth);
        if (pos < pattern.size() && pattern[pos] == '.') {
            ++pos;
            conv.precision = std::min(readCount(pattern, pos), kMaxPrecision);
        }
        while (pos < pattern.size() && (pattern[pos] == 'l' || pattern[pos] == 'h'))
            ++pos;
        if (pos >= pattern.size()) {
            // A pattern ending inside a conversion: keep the text as written.
            out.append(pattern.substr(percent));
            break;
        }
        conv.conversion = pattern[pos++];
        switch (conv.conversion) {
        case '%':
            out.push_back('%');
            break;
        case 'd':
        case 'i':
        case 'f':
        case 's': {
            const FormatArg* arg = next != args.end() ? next++ : nullptr;
            formatOne(out, conv, arg);
            break;
        }
        default:
            // Unknown conversions are copied unchanged and consume no argument.
            out.append(pattern.substr(percent, pos - percent));
            break;
        }
    }
    return out;
}

std::string commaToPoint(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), ',', '.');
    return out;
}

} // namespace dalvex
