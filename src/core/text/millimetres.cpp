#include "text/millimetres.h"

#include "text/format.h"

#include <algorithm>
#include <limits>

namespace dalvex {
namespace {

// The blanks and digit-group separators a pasted number may carry; their length in bytes at `pos`, 0 when
// there is none.
std::size_t separatorAt(std::string_view text, std::size_t pos) {
    const char c = text[pos];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') return 1;
    for (std::string_view s : {std::string_view("\xC2\xA0"), std::string_view("\xE2\x80\xAF")})
        if (text.substr(pos, s.size()) == s) return s.size();
    return 0;
}

constexpr int64_t kSaturated = int64_t{std::numeric_limits<int32_t>::max()};

} // namespace

std::optional<int32_t> readMillimetres(std::string_view text) {
    int64_t whole = 0;
    int digits = 0;
    int decimals = 0; // digits after the separator seen so far
    int64_t tenth = 0;
    bool roundUp = false;
    bool separator = false;
    for (std::size_t pos = 0; pos < text.size();) {
        if (const std::size_t skip = separatorAt(text, pos)) {
            pos += skip;
            continue;
        }
        const char c = text[pos++];
        if (c == ',' || c == '.') {
            if (separator) return std::nullopt;
            separator = true;
        } else if (c >= '0' && c <= '9') {
            ++digits;
            if (!separator) {
                whole = std::min(whole * 10 + (c - '0'), kSaturated);
            } else if (decimals++ == 0) {
                tenth = c - '0';
            } else if (decimals == 2) {
                roundUp = c >= '5';
            }
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    return static_cast<int32_t>(std::min(whole * 10 + tenth + (roundUp ? 1 : 0), kSaturated));
}

std::string millimetresText(int32_t tenths, bool grouped) {
    const bool negative = tenths < 0;
    // In 64 bits: the lowest int32 has no positive counterpart.
    const int64_t magnitude = negative ? -int64_t{tenths} : int64_t{tenths};
    const std::string digits = std::to_string(magnitude / 10);
    std::string text = negative ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (grouped && i > 0 && (digits.size() - i) % 3 == 0) text.push_back(' ');
        text.push_back(digits[i]);
    }
    if (magnitude % 10 != 0) {
        text.push_back(',');
        text.push_back(static_cast<char>('0' + magnitude % 10));
    }
    return text;
}

std::string wholeMillimetres(int32_t tenths) {
    return std::to_string(tenths / 10);
}

std::string roundedMillimetres(int32_t tenths) {
    return format("%0.0f", tenths / 10.0);
}

} // namespace dalvex
