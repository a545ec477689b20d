#pragma once
// What a message may quote of text read from a file: hostile input (a megabyte of NUL bytes, control
// characters, broken UTF-8) must not be copied whole into an error text.
#include <cstddef>
#include <string>
#include <string_view>

namespace dalvex {

inline constexpr std::size_t kExcerptLength = 40;

// At most `maxChars` characters of `utf8`, control characters and malformed sequences each shown as "?",
// followed by "…" when the text was longer.
std::string excerpt(std::string_view utf8, std::size_t maxChars = kExcerptLength);

} // namespace dalvex
