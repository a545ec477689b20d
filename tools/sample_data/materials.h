#pragma once

#include <QString>

namespace sample {

// Writes every material collection below `dataDir`/materials: the list price.csv and the pictures.
// Returns false when a file cannot be written.
bool writeMaterials(const QString& dataDir);

} // namespace sample
