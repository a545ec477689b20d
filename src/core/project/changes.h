#pragma once
// What an editing operation changed, so that every client refreshes exactly what it must.
namespace dalvex {

struct Changes {
    bool applied = false;        // false: the operation was refused and nothing changed
    bool recalculated = false;   // the calculation ran: the sketch, the tables and the totals follow
    bool selection = false;      // system, handle profile, colour, divider profile or a system option
    bool totals = false;         // the totals changed without a calculation (discount, extra charges)
    bool sketchOpened = false;   // a file was opened or the order replaced: everything is new
    bool orderCard = false;      // the card's fields changed
    bool shown = false;          // only how the order is shown changed (the doors shown, the insert sizes)
    bool selectionAfter = false; // the panels showing the selection refresh after the recalculation

    explicit operator bool() const { return applied; }
    Changes& operator|=(const Changes& o) {
        applied |= o.applied;
        recalculated |= o.recalculated;
        selection |= o.selection;
        totals |= o.totals;
        sketchOpened |= o.sketchOpened;
        orderCard |= o.orderCard;
        shown |= o.shown;
        selectionAfter |= o.selectionAfter;
        return *this;
    }
};

} // namespace dalvex
