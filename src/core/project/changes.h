#pragma once
// What an operation changed, so that every client refreshes exactly what it must. The editor hands its
// listener the Changes of every operation, undo, redo, open and new order; a refused operation tells nothing.
namespace dalvex {

struct Changes {
    bool applied = false;      // false: the operation was refused and nothing changed
    bool choices = false;      // the system, handle profile, colour, divider profile or a system option
    bool dimensions = false;   // the width, height, door count, chipboard width or plinth height
    bool recalculated = false; // the calculation ran: the sketch, the tables and the totals follow
    bool totals = false;       // the totals changed without a calculation (discount, extra charges)
    bool discount = false;     // the discount changed
    bool card = false;         // the card's fields changed
    bool doorsReset = false;   // the doors were rebuilt or their count changed: the door shown must reset
    bool opened = false;       // another order took the place of this one (a file opened, a new order)

    explicit operator bool() const { return applied; }
    Changes& operator|=(const Changes& o) {
        applied |= o.applied;
        choices |= o.choices;
        dimensions |= o.dimensions;
        recalculated |= o.recalculated;
        totals |= o.totals;
        discount |= o.discount;
        card |= o.card;
        doorsReset |= o.doorsReset;
        opened |= o.opened;
        return *this;
    }
    // Another order in this one's place: everything is new. The door shown stays when the order has it.
    static Changes everything() {
        Changes c;
        c.applied = c.choices = c.dimensions = c.recalculated = c.totals = c.discount = c.card = c.opened =
            true;
        return c;
    }
};

} // namespace dalvex
