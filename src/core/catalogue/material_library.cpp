// Placeholder until the material library lands: no collections.
#include "catalogue/material_library.h"

namespace dalvex {

std::vector<MaterialCollection> scanCollections(const std::filesystem::path&) { return {}; }

int MaterialCollection::load() { return 1; }

} // namespace dalvex
