#pragma once
// The Project as one JSON object: selection, dimensions, system options, the doors with their pieces, the
// bill of materials and the order card with its totals. Lengths are in 0.1 mm and money in kopecks, as the
// core holds them.
#include <string>

namespace dalvex {
class Project;
}

namespace dalvex::cli {

std::string projectJson(Project& project);

} // namespace dalvex::cli
