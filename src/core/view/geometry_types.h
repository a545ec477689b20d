#pragma once
// Pixel points and rectangles of a view of the sketch, kept apart from the model's lengths.
#include <cstdint>

namespace dalvex {

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// (left, top, right, bottom); a point is inside when left <= x < right and top <= y < bottom.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(PixelPoint p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
    bool operator==(const PixelRect&) const = default;
};

} // namespace dalvex
