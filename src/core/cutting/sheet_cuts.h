#pragma once
// The cut sequence of a sheet laid out with guillotine cuts, found from where its panels lie: at every stage
// the part is divided by all the parallel cuts that cross no panel, one after each group of panels, and the
// parts are divided again across at the next stage.
#include "cutting/sheet_packing.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace dalvex {

// A panel's rectangle on the sheet, right and far edges exclusive.
struct PanelBox {
    int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct SheetCuts {
    std::vector<SheetCut> cuts; // stage by stage
    SheetRect offcut;           // the largest piece of waste
};

// The cuts that free `panels` from the `usable` part of a sheet with a saw of `kerf`, the first stage along
// the sheet's length or across it, whichever leaves the larger offcut. Nothing when the panels cannot be cut
// apart with guillotine cuts.
std::optional<SheetCuts> guillotineCuts(const std::vector<PanelBox>& panels, const PanelBox& usable,
                                        int64_t kerf);

} // namespace dalvex
