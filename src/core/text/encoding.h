#pragma once
// Conversions between the UTF-8 text kept in the core and the encodings of the files the program reads and
// writes.
#include <string>
#include <string_view>

namespace dalvex {

// Windows-1251 bytes to UTF-8. Every byte maps to a character (0x98, unassigned, becomes U+FFFD).
std::string cp1251ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1251. A character the code page lacks, and every malformed UTF-8 sequence, becomes '?'.
std::string utf8ToCp1251(std::string_view utf8);

// UTF-8 to UTF-16 code units; malformed sequences become U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);

// UTF-16 code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

// Orders two UTF-8 texts by their UTF-16 code units (the order the material lines are kept in).
bool lessByUtf16(std::string_view a, std::string_view b);

} // namespace dalvex
