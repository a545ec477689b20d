#pragma once
// The cutting plan of one list of pieces: which piece is cut from which stock bar, allowing for the saw's
// kerf and the trim at the start of every bar, in as few bars as possible.
#include <cstdint>
#include <string>
#include <vector>

namespace dalvex {

// One bar of a plan: the indexes of its pieces in the list that was planned, in cutting order, and the
// reusable offcut left after the last piece has been cut off (0.1 mm).
struct CutBar {
    std::vector<int32_t> pieces;
    int32_t offcut = 0;
};

// The plan of one list of pieces. Pieces that cannot be cut from a bar at all are listed in `tooLong` and
// named in `error` with the bill's own message; every other piece is in exactly one bar.
struct CutPlan {
    std::vector<CutBar> bars;
    std::vector<int32_t> tooLong;
    std::string error;
};

// Plans `pieces` (lengths in 0.1 mm) on bars of `barLength`: a bar holds pieces whose lengths, plus one kerf
// between neighbours, plus the trim at the bar's start, fit its length. As few bars as possible, then the
// largest single offcut. Exact by branch and bound for short lists, first-fit-decreasing with improvement for
// long ones; never more bars than next-fit packing in the given order. Deterministic. Negative kerf and trim
// count as 0, negative pieces as empty ones.
CutPlan planCuts(const std::vector<int32_t>& pieces, int32_t barLength, int32_t kerf, int32_t trim);

} // namespace dalvex
