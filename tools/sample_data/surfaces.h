#pragma once

#include <QColor>
#include <QImage>

#include <cstdint>

namespace sample {

// Size of every material picture: portrait, like a door insert.
constexpr int kPictureWidth = 200;
constexpr int kPictureHeight = 300;

// Wood-grain chipboard decor: growth rings running along the long side, fine fibres, tone drifting
// across the board, and knots that the rings bend around.
struct WoodDecor {
    QColor light;
    QColor dark;
    double ringWidth = 9.0; // pixels between growth rings
    int knots = 2;
};
QImage drawWood(const WoodDecor& decor, uint64_t seed);

// Plain (uni) chipboard decor: one colour with a faint paper texture.
QImage drawUni(QColor colour, uint64_t seed);

// Mirror: tinted sheen with soft reflections and diagonal highlights; satin mirrors are grainy and dull.
QImage drawMirror(QColor tint, bool satin, uint64_t seed);

enum class GlassFinish { Clear, Frosted, Patterned };
// Glass: clear glass shows a faint greenish edge and streaks, frosted glass a fine grain, patterned
// glass a field of small bumps.
QImage drawGlass(QColor tint, GlassFinish finish, uint64_t seed);

// Painted glass: a deep glossy colour with a bright reflection band.
QImage drawLacquer(QColor colour, uint64_t seed);

} // namespace sample
