#pragma once
// Dialog-template units of the 8-point dialog font, converted to pixels (a base unit of 6 x 13 pixels).

namespace dalvex::ui {

constexpr int dluX(int units) {
    return units * 6 / 4;
}
constexpr int dluY(int units) {
    return units * 13 / 8;
}

} // namespace dalvex::ui
