#pragma once

#include <QString>

namespace sample {

// Writes `dataDir`/config: the order number counter, the shop text and the shop logo.
bool writeShopConfig(const QString& dataDir);

} // namespace sample
