#pragma once
// Lengths of the model (0.1 mm) as the user reads them: whole millimetres, by one of the two rules the
// screens follow. Edits and dialogs truncate; the figures drawn on the sketch round.
#include <cstdint>
#include <string>

namespace dalvex {

// value / 10, truncating toward zero: 12349 -> "1234", -12349 -> "-1234".
std::string wholeMillimetres(int32_t tenths);
// value / 10 rounded to the nearest whole millimetre as "%0.0f" rounds it: 12346 -> "1235".
std::string roundedMillimetres(int32_t tenths);

} // namespace dalvex
