#pragma once
// The cutting plan as one JSON object: the kerf and trim it was made with, and per article bought in whole
// bars its bars with their pieces and offcuts; per material bought in sheets its sheets with the panels
// placed on them, the cuts stage by stage and the offcut. Lengths are in 0.1 mm.
#include "cutting/cut_plan.h"
#include "cutting/sheet_plan.h"

#include <string>
#include <vector>

namespace dalvex::cli {

std::string cutPlanJson(const std::vector<ArticlePlan>& plans, int32_t kerf, int32_t trim,
                        const std::vector<MaterialSheets>& sheets);

} // namespace dalvex::cli
