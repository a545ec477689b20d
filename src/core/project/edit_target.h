#pragma once
// What the editing operations work on, and the answers they share. Each job of the editor (the sketch, the
// choices, the options, the card) makes its operations in a file of its own, one overload of `make` for each
// kind of EditOp; ProjectEditor::apply dispatches to them.
#include "project/changes.h"
#include "project/project.h"
#include "sketch/sketch_selection.h"

namespace dalvex {

class OrderNumberClaims;

struct EditTarget {
    Project& project;
    SketchSelection& selection; // what the user points at: kept valid by the operations
    OrderNumberClaims& claims;  // the number claimed last, to give back when the order was not saved
    EditPass pass;              // what the Project's change operations ask for
};

namespace edits {

// The answer of an operation that changed the order.
inline Changes made(bool recalculated) {
    Changes c;
    c.applied = true;
    c.recalculated = recalculated;
    return c;
}

// A change of a choice (system, handle, colour, divider profile or a system option).
inline Changes chosen(bool recalculated = true) {
    Changes c = made(recalculated);
    c.choices = true;
    return c;
}

// A change of a dimension; a change of the door count also resets the door shown.
inline Changes resized(bool doorsReset = false) {
    Changes c = made(true);
    c.dimensions = true;
    c.doorsReset = doorsReset;
    return c;
}

// A choice that makes the sketch anew (the system, Фелдор's mounting): the dimensions and the door count
// may follow it, and the door shown resets.
inline Changes chosenAnew() {
    Changes c = resized(true);
    c.choices = true;
    return c;
}

} // namespace edits
} // namespace dalvex
