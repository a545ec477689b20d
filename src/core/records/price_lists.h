#pragma once
// The three price lists of profiles/: colour price categories, extra roller sets and article prices. They are
// read once while the records are built and write straight into them.
#include <filesystem>

namespace dalvex {

class RecordStore;

// colors_price.csv: 0 read; 1 cannot be opened; 2 empty or without a line end; 3 no colour column;
// 4 no system column.
int readColorCategories(RecordStore& catalogue, const std::filesystem::path& file);
// rollers.csv: 0 read; 1 cannot be opened; 2 empty or without a line end.
int readRollerSets(RecordStore& catalogue, const std::filesystem::path& file);
// price.csv: 0 read; 1 cannot be opened; 2 empty or without a line end; 3 a required column is missing.
int readProfilePrices(RecordStore& catalogue, const std::filesystem::path& file);

} // namespace dalvex
