// Placeholder until the price list readers land: every list reads as missing.
#include "catalogue/price_lists.h"

namespace dalvex {

int readColorCategories(Catalogue&, const std::filesystem::path&) { return 1; }
int readRollerSets(Catalogue&, const std::filesystem::path&) { return 1; }
int readProfilePrices(Catalogue&, const std::filesystem::path&) { return 1; }

} // namespace dalvex
