#pragma once
// The choices of one order that belong to no catalogue record: each system's options and the bar length
// chosen for each handle profile. The Project owns them and hands them to the calculators, which keep none of
// their own, so one catalogue prices any number of orders at the same time.
#include "calc/system_kind.h"
#include "records/records.h"

#include <array>
#include <cstdint>
#include <map>

namespace dalvex {

// One system's options as the order chose them. A system reads only those it offers; they stay when the
// order switches to another system, so switching back finds them as they were.
struct SystemOptions {
    uint8_t noEdgeProfiles = 0;           // "По краям DX13" switched off; saved for every system
    const RollerSet* rollerSet = nullptr; // null: the system's own default set
    uint8_t pivot = 0;                    // Борвик: pivot fittings instead of sliding
    int32_t heightOffset = -40; // Борвик: door height relative to the opening, whole millimetres
    int32_t mountInside = 1;    // Фелдор: the doors stand inside the opening
    const Article* runningProfile = nullptr; // Герлит: JG01 or JG02 (null: JG01)
    const Article* guideProfile = nullptr;   // Герлит: JG03 or JG04 (null: JG04)

    bool operator==(const SystemOptions&) const = default;
};

struct OrderOptions {
    std::array<SystemOptions, kSystemKindCount> systems{}; // by SystemKind
    // Handle profiles bought in their second bar length (barChoice 2); every other profile uses its first.
    std::map<const Article*, uint8_t> barChoices;

    const SystemOptions& of(SystemKind kind) const { return systems[static_cast<size_t>(kind)]; }
    SystemOptions& of(SystemKind kind) { return systems[static_cast<size_t>(kind)]; }
    // 1: barLength1 is used, 2: barLength2.
    uint8_t barChoice(const Article& profile) const;
    void setBarChoice(const Article& profile, uint8_t choice);
    int32_t barLength(const Article& profile) const;

    bool operator==(const OrderOptions&) const = default;
};

} // namespace dalvex
