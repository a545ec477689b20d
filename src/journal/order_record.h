#pragma once
// What the journal keeps of a Project saved to a file.
#include "journal_types.h"

#include <cstdint>
#include <string>

namespace dalvex {
class Project;
}

namespace dalvex::journal {

// The project's card, totals and choices, with the file's path (UTF-8) and bytes, saved at `savedAt`.
OrderRecord recordOf(const Project& project, std::string filePath, std::string fileBytes, int64_t savedAt);

} // namespace dalvex::journal
