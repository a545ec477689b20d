#pragma once
// Case folding and trimming for comparisons of header names, codes and colour names (Latin and Cyrillic).
#include <string>
#include <string_view>

namespace dalvex {

// Lower-cases ASCII letters, the Cyrillic letters А..Я, Ё and the other Cyrillic capitals of Windows-1251
// (Ђ Ѓ Є Ѕ І Ї Ј Љ Њ Ћ Ќ Ў Џ Ґ); everything else is copied unchanged.
std::string toLower(std::string_view utf8);

// Removes leading and trailing blanks (space, tab, CR, LF, vertical tab, form feed).
std::string_view trim(std::string_view text);

// Lower-cases and trims: the form header names and category words are compared in.
std::string normalized(std::string_view utf8);

// Whole-string comparison after lower-casing both sides.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

} // namespace dalvex
