#pragma once
// Base64 in its URL and file name safe alphabet (RFC 4648 §5: '-' and '_' for '+' and '/'), as links carry
// bytes.
#include <optional>
#include <string>
#include <string_view>

namespace dalvex {

// Without padding.
std::string base64UrlEncode(std::string_view bytes);

// The bytes of a text in that alphabet, with or without its '=' padding; nullopt for any other character,
// padding anywhere but at the end, or a length no encoding has.
std::optional<std::string> base64UrlDecode(std::string_view text);

} // namespace dalvex
