#pragma once
// Lengths of the model (0.1 mm) as the user reads and types them. The edits show and take millimetres with at
// most one decimal: one reader and one writer, so that every length field reads "2780,5" alike and shows what
// it stored. Where whole millimetres are shown, by one of the two rules the screens follow: the dialogs
// truncate; the figures drawn on the sketch round.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dalvex {

// Millimetres typed or pasted: digits with "," or "." before the decimals, blanks around, and digit-group
// separators (a space, U+00A0, U+202F) anywhere between the digits, as copied from a spreadsheet or a letter.
// Decimals past the first round half up to the tenth. A number too large for int32 saturates, so that the
// field's range refuses it. Empty text, a sign, letters or a second separator: not a number (nullopt).
std::optional<int32_t> readMillimetres(std::string_view text);

// Tenths of a millimetre as millimetres: "2780", or "2780,5" when there is a tenth. `grouped` writes the
// thousands apart ("100 000"), as the messages do; the edits are not grouped.
std::string millimetresText(int32_t tenths, bool grouped = false);

// value / 10, truncating toward zero: 12349 -> "1234", -12349 -> "-1234".
std::string wholeMillimetres(int32_t tenths);
// value / 10 rounded to the nearest whole millimetre as "%0.0f" rounds it: 12346 -> "1235".
std::string roundedMillimetres(int32_t tenths);

} // namespace dalvex
