#pragma once

#include <QImage>

#include <cstdint>

namespace sample {

// Photo prints on glass, drawn at the material picture size. Each seed gives a different picture of
// the same kind.
QImage drawLandscape(uint64_t seed);
QImage drawFlowers(uint64_t seed);
QImage drawAbstract(uint64_t seed);
QImage drawCity(uint64_t seed);
QImage drawBamboo(uint64_t seed);

} // namespace sample
