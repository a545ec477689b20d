// How each system fits a filling into its panel opening: thin fillings that sit in a seal lose a little on
// their sides, and a thickness the profiles cannot hold is marked as an error.
#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

namespace {

bool bothEndsHeld(const Insert& insert, int32_t topInset, int32_t bottomInset) {
    return (insert.topId != 0 || topInset != 0) && (insert.bottomId != 0 || bottomInset != 0);
}

// Panel values may sit at the ends of the int32 range after extreme input; a shift never wraps them.
void shift(int32_t& value, int64_t by) {
    value = clampToInt(value + by);
}

// Takes dx off the left and the right of the panel and dy off its top and its bottom.
void inset(Insert& insert, int32_t dx, int32_t dy) {
    shift(insert.panelX, dx);
    shift(insert.panelWidth, -2 * dx);
    shift(insert.panelY, dy);
    shift(insert.panelHeight, -2 * dy);
}

// Sets the error flag for a thickness none of the accepted ones, clears it otherwise; true when accepted.
bool accept(Insert& insert, bool accepted) {
    insert.thicknessError = !accepted;
    return accepted;
}

// Borvik and Feldor: 4 mm and 8 mm fillings sit in a seal on all four sides.
void sealedAllRound(Insert& insert) {
    const int32_t t = insert.material->thickness;
    if (!accept(insert, t == 0 || t == 100 || t == 40 || t == 80)) return;
    if (t == 40 || t == 80) inset(insert, 10, 10);
}

} // namespace

void DSSystem::adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const {
    if (insert.material == nullptr) return;
    const int32_t t = insert.material->thickness;
    if (!accept(insert, t == 0 || t == 160 || t == 100 || t == 40)) return;
    if (t == 100 || t == 40) inset(insert, 10, bothEndsHeld(insert, topInset, bottomInset) ? 10 : 0);
    if (t == 40) {
        // Glass at a frame side sits in the handle profile's insert strip, which is deeper.
        if (insert.leftId == 0) shift(insert.panelX, 15);
        if (insert.rightId == 0) shift(insert.panelWidth, -15);
    }
}

void DSSystemBorvik::adjustPanel(Insert& insert, int32_t, int32_t) const {
    if (insert.material != nullptr) sealedAllRound(insert);
}

void DSSystemFeldor::adjustPanel(Insert& insert, int32_t, int32_t) const {
    if (insert.material != nullptr) sealedAllRound(insert);
}

void DSSystemSenfil::adjustPanel(Insert& insert, int32_t, int32_t) const {
    if (insert.material == nullptr) return;
    const int32_t t = insert.material->thickness;
    if (!accept(insert, t == 0 || t == 160 || t == 40)) return;
    if (t == 40) {
        if (insert.leftId == 0) shift(insert.panelX, 15);
        if (insert.rightId == 0) shift(insert.panelWidth, -30);
    }
}

void DSSystemQuorin::adjustPanel(Insert& insert, int32_t, int32_t) const {
    if (insert.material == nullptr) return;
    const int32_t t = insert.material->thickness;
    if (!accept(insert, t == 0 || t == 100 || t == 40)) return;
    if (t == 40) inset(insert, 10, 10);
}

void DSSystemZerkan::adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const {
    if (insert.material == nullptr) return;
    const int32_t t = insert.material->thickness;
    if (!accept(insert, t == 0 || t == 100 || t == 40)) return;
    const int32_t side = t == 40 ? 15 : 5;
    inset(insert, side, bothEndsHeld(insert, topInset, bottomInset) ? side : 0);
}

void DSSystemNordel::adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const {
    if (insert.material == nullptr) return;
    const int32_t t = insert.material->thickness;
    if (!accept(insert, t == 0 || t == 100 || t == 40)) return;
    if (t == 40) inset(insert, 10, bothEndsHeld(insert, topInset, bottomInset) ? 10 : 0);
}

void DSSystemWenlor::adjustPanel(Insert& insert, int32_t, int32_t) const {
    if (insert.material == nullptr) return;
    const int32_t t = insert.material->thickness;
    if (!accept(insert, t == 0 || t == 160 || t == 40)) return;
    if (t != 40) return;
    // Glass in Wenlor is held by the frame profile JW07 where no divider bounds it.
    const int32_t frame = orNone(ruleArticle("JW07")).fillingInset;
    if (insert.leftId == 0) shift(insert.panelX, -55);
    if (insert.rightId == 0) shift(insert.panelWidth, 110);
    if (insert.topId != 0) {
        shift(insert.panelY, -50);
    } else {
        shift(insert.panelY, frame);
        shift(insert.panelHeight, -int64_t{frame});
    }
    if (insert.bottomId != 0) {
        shift(insert.panelHeight, 100);
    } else {
        shift(insert.panelHeight, -int64_t{frame});
    }
}

} // namespace dalvex
