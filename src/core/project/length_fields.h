#pragma once
// The order's length fields as the top panel offers them: the range each one takes now, and what the info
// line says when a typed value falls outside it.
#include <cstdint>
#include <string>

namespace dalvex {

class Project;

enum class LengthField { Width, Height, Plinth, Chipboard };

// Both ends included, in tenths of a millimetre.
struct LengthRange {
    int32_t low = 0;
    int32_t high = 0;
    bool holds(int32_t tenths) const { return tenths >= low && tenths <= high; }
};

// What the Project's setter for `field` accepts in its present state (the plinth no higher than the
// height).
LengthRange acceptedRange(const Project& project, LengthField field);

// "Ширина проёма: от 100 до 100 000 мм": the field's name as the panel labels it, and its range.
std::string rangeText(const Project& project, LengthField field);

} // namespace dalvex
