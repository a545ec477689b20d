#pragma once

#include <QString>

namespace sample {

// Writes the three price lists of `dataDir`/profiles: price.csv, colors_price.csv and rollers.csv.
bool writePriceLists(const QString& dataDir);

} // namespace sample
