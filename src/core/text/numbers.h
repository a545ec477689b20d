#pragma once
// Reading numbers as the data files, the edits and the order number need it, independent of the process
// locale.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace dalvex {

// A decimal number with "," or "." as the decimal separator: leading blanks are skipped, an optional sign,
// digits, a fraction and an exponent are read, and reading stops at the first character that cannot continue
// the number. The whole part may be written in digit groups of three separated by a space or a no-break
// space, as spreadsheets write it ("1 650,50"). Empty or non-numeric text reads as 0.
double readNumber(std::string_view text);

// A whole number from the leading decimal digits (leading blanks and one sign allowed), like atoi, but
// saturating at the int32 limits instead of overflowing. Empty or non-numeric text reads as 0.
int32_t readInt(std::string_view text);

// A wide integer brought back into the int32 range: sums and products of lengths and money are taken in 64
// bits, so no input (a damaged file, an extreme dimension) can overflow, and saturate here.
inline int32_t clampToInt(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Whole millimetres (as typed) in the model's tenths of a millimetre, saturated at the int32 limits.
inline int32_t tenthsFromMillimetres(int64_t millimetres) {
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()};
    return clampToInt(std::clamp(millimetres, -kLimit, kLimit) * 10);
}

// Tenths of a millimetre as the whole millimetres an edit shows, truncated toward zero.
inline int32_t millimetresFromTenths(int32_t tenths) {
    return tenths / 10;
}

// Converts a real value to int32 toward zero, clamped to the int32 range; NaN gives 0.
int32_t truncToInt(double value);

// Converts a real value to int32 rounding up (ceiling), clamped to the int32 range; NaN gives 0.
int32_t ceilToInt(double value);

// Converts a real value to int32 rounding down (floor), clamped to the int32 range; NaN gives 0.
int32_t floorToInt(double value);

} // namespace dalvex
