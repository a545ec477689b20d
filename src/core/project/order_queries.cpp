#include "project/order_queries.h"

#include "calc/ds_system.h"
#include "project/project.h"
#include "sketch/sketch_units.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace dalvex {

namespace {

// Pivot fittings hold at most two doors.
bool offersPivot(const Project& project) {
    return project.calculator->ownOptions() == OwnOptions::Pivot && project.sketch.doorCount <= 2;
}

} // namespace

std::vector<std::string> rollerEntries(const Project& project) {
    std::vector<std::string> entries;
    const DSSystem* calc = project.calculator;
    if (!calc) return entries;
    if (calc->configuredRollerSetCount(calc->own(project.options).rollerSet) > 0) {
        for (const Article* a : calc->articles)
            if (a->kind == kKindRollerSet) entries.push_back(a->code);
    } else {
        entries.emplace_back(kStandardRollersEntry);
    }
    if (offersPivot(project)) entries.emplace_back(kPivotEntry);
    return entries;
}

std::optional<OptionToggle> optionToggle(const Project& project) {
    const DSSystem* calc = project.calculator;
    if (!calc) return std::nullopt;
    const SystemOptions& mine = calc->own(project.options);
    if (calc->ownOptions() == OwnOptions::Mounting) return OptionToggle{"Монтаж внутри", mine.mountInside != 0};
    if (calc->offersEdgeProfiles) return OptionToggle{"По краям DX13", mine.noEdgeProfiles == 0};
    return std::nullopt;
}

bool offersHeightOffset(const Project& project) {
    const DSSystem* calc = project.calculator;
    return calc && calc->ownOptions() == OwnOptions::Pivot && calc->own(project.options).pivot == 0;
}

bool isHeightOffset(int32_t millimetres) {
    return std::find(std::begin(kHeightOffsets), std::end(kHeightOffsets), millimetres) !=
           std::end(kHeightOffsets);
}

SizeRange insertSizeRange(const Project& project, int door, int32_t divider) {
    const Door* d = project.sketch.doorInUse(door);
    const Divider* found = d ? d->divider(divider) : nullptr;
    if (!found) return {};
    const auto [before, after] = d->extentsAround(*found);
    return {kMinInsertPart, clampToInt(int64_t{before} + after - kMinInsertPart)};
}

std::string currentRollerEntry(const Project& project) {
    const DSSystem* calc = project.calculator;
    if (!calc) return {};
    const SystemOptions& mine = calc->own(project.options);
    if (mine.pivot != 0 && offersPivot(project)) return std::string(kPivotEntry);
    if (calc->configuredRollerSetCount(mine.rollerSet) == 0) return std::string(kStandardRollersEntry);
    const std::vector<std::string> entries = rollerEntries(project);
    const std::string chosen = mine.rollerSet ? mine.rollerSet->code : std::string();
    if (std::find(entries.begin(), entries.end(), chosen) != entries.end()) return chosen;
    return entries.empty() ? std::string() : entries.front();
}

} // namespace dalvex
