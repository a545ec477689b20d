#include "files/sketch_link.h"

#include "files/sketch_file.h"
#include "text/base64.h"

namespace dalvex {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::string sketchLinkOpenMessage(int result) {
    return std::string(result == kSketchNewerVersion ? kNewerSketchVersionMessage : kNotASketchLinkMessage);
}

std::string sketchLink(std::string_view pageAddress, std::string_view fileBytes) {
    const std::size_t fragment = pageAddress.find('#');
    return std::string(pageAddress.substr(0, fragment)) + std::string(kSketchLinkMark) +
           base64UrlEncode(fileBytes);
}

std::optional<std::string> sketchLinkBytes(std::string_view link) {
    while (!link.empty() && isBlank(link.front()))
        link.remove_prefix(1);
    while (!link.empty() && isBlank(link.back()))
        link.remove_suffix(1);
    const std::size_t mark = link.find(kSketchLinkMark);
    if (mark == std::string_view::npos) return std::nullopt;
    std::optional<std::string> bytes = base64UrlDecode(link.substr(mark + kSketchLinkMark.size()));
    if (!bytes || bytes->empty()) return std::nullopt;
    return bytes;
}

} // namespace dalvex
