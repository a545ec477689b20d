#pragma once
// The three price lists of profiles/: colour price categories, extra roller sets and article prices. They are
// read once while the records are built and write straight into them.
#include <cstddef>
#include <filesystem>
#include <string>

namespace dalvex {

class RecordStore;

// What reading one list gave: its result code, and how many of its lines were used (a price stored, a
// category set, a roller set listed).
struct PriceListRead {
    int result = 0;
    std::size_t usedLines = 0;
};

// colors_price.csv: 0 read; 1 cannot be opened; 2 empty or without a line end; 3 no colour column;
// 4 no system column.
PriceListRead readColorCategories(RecordStore& catalogue, const std::filesystem::path& file);
// rollers.csv: 0 read; 1 cannot be opened; 2 empty or without a line end.
PriceListRead readRollerSets(RecordStore& catalogue, const std::filesystem::path& file);
// price.csv: 0 read; 1 cannot be opened; 2 empty or without a line end; 3 a required column is missing.
PriceListRead readProfilePrices(RecordStore& catalogue, const std::filesystem::path& file);

// The warning for the user when a list could not be read or gave nothing (its file named); empty when the
// list was read and used. Pricing goes on either way, with what the list did not change.
std::string priceListWarning(const std::filesystem::path& file, const PriceListRead& read);

} // namespace dalvex
