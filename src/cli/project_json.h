#pragma once
// The Project as one JSON object: selection, dimensions, system options, the doors with their pieces, the
// bill of materials, the order card with its totals, and the warnings about the data read at start. Lengths
// are in 0.1 mm and money in kopecks, as the core holds them.
#include <string>
#include <vector>

namespace dalvex {
class Project;
}

namespace dalvex::cli {

std::string projectJson(Project& project, const std::vector<std::string>& warnings);

} // namespace dalvex::cli
