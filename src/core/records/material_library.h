#pragma once
// The material library: one collection per sub-folder of materials/ that holds a price.csv and an images
// folder.
#include "records/records.h"

#include <filesystem>
#include <vector>

namespace dalvex {

// Scans the folder (sorted by name, so every machine shows the same order) and loads every collection.
std::vector<MaterialCollection> scanCollections(const std::filesystem::path& materialsFolder);

} // namespace dalvex
