#pragma once
// How the desktop program shows the order and what a click in the sketch does: preferences of the program,
// not part of the order (no undo step, not saved). The document keeps them and tells the panels when they
// change.
#include <cstdint>

namespace dalvex {
class Project;
}

namespace dalvex::ui {

struct ViewSettings {
    bool showInsertSizes = false;  // the sketch view writes the size of every insert
    bool scaleOnFill = false;      // a picked material opens the scaling dialog instead of filling at once
    bool drawDividers = false;     // a click on an insert draws a divider
    bool dividersVertical = false; // the orientation of the dividers a click draws
    int shownDoor = -1;            // the door shown alone, -1: all; reset when the doors are rebuilt

    // The door shown alone, as far as the order has it (an opened file may have fewer doors); -1: all.
    int currentDoor(int32_t doorCount) const { return shownDoor < doorCount ? shownDoor : -1; }
    // What the order allows: drawing needs a divider profile, and a profile made for one orientation
    // fixes it.
    void follow(const Project& project);

    bool operator==(const ViewSettings&) const = default;
};

// The settings a window starts with: the orientation is the core's default for the order's divider profile.
ViewSettings startingView(const Project& project);

} // namespace dalvex::ui
