#pragma once
// The pictures of the shop's material library as its web page shows them: JPEG, small enough to load at
// once on a phone.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dalvex::cli {

// The most bytes a picture of the site weighs, and the longest side it keeps (the page draws a door at most
// about this tall).
inline constexpr std::size_t kWebPictureLimit = 60 * 1024;
inline constexpr int kWebPictureSide = 800;

// The picture (JPEG, PNG or BMP) as a JPEG within those limits: a JPEG that already keeps to them is taken
// as it is, any other is scaled down and written again, with less quality and then fewer pixels until it
// fits. Nothing for bytes that are no picture.
std::optional<std::string> webPicture(std::string_view bytes);

} // namespace dalvex::cli
