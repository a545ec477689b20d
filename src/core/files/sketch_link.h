#pragma once
// An order sent as a link: the address of the shop's page with the order's sketch file in its fragment,
// "…/index.html#dlx=" followed by the file's bytes in base64url. The page opens the order it carries; the
// programs take such a link as they take the file.
#include <optional>
#include <string>
#include <string_view>

namespace dalvex {

inline constexpr std::string_view kSketchLinkMark = "#dlx=";

// What a program says of a text that carries no sketch file (no link of this kind, or bytes that are not a
// sketch file the reader takes), as it says "Ошибка открытия файла" of a damaged file.
inline constexpr std::string_view kNotASketchLinkMessage =
    "Ошибка открытия заявки: ссылка не содержит эскиза дверей.";

// What a program says when a link's order did not open (the file reader's result): the newer-version message
// for a file of a newer program, else kNotASketchLinkMessage.
std::string sketchLinkOpenMessage(int result);

// The page's address (any fragment it had dropped) with the file's bytes in the fragment.
std::string sketchLink(std::string_view pageAddress, std::string_view fileBytes);

// The file's bytes a link carries, blanks around the link ignored; nullopt for a text without the mark, or
// whose fragment is not base64url. Whether the bytes are a sketch file is the reader's to say.
std::optional<std::string> sketchLinkBytes(std::string_view link);

} // namespace dalvex
