#pragma once
// Reading numbers as the data files, the edits and the order number need it, independent of the process
// locale.
#include <cstdint>
#include <string_view>

namespace dalvex {

// A decimal number with "," or "." as the decimal separator: leading blanks are skipped, an optional sign,
// digits, a fraction and an exponent are read, and reading stops at the first character that cannot continue
// the number. Empty or non-numeric text reads as 0.
double readNumber(std::string_view text);

// A whole number from the leading decimal digits (leading blanks and one sign allowed), like atoi, but
// saturating at the int32 limits instead of overflowing. Empty or non-numeric text reads as 0.
int32_t readInt(std::string_view text);

// Converts a real value to int32 toward zero, clamped to the int32 range; NaN gives 0.
int32_t truncToInt(double value);

// Converts a real value to int32 rounding up (ceiling), clamped to the int32 range; NaN gives 0.
int32_t ceilToInt(double value);

// Converts a real value to int32 rounding down (floor), clamped to the int32 range; NaN gives 0.
int32_t floorToInt(double value);

} // namespace dalvex
