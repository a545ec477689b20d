#include "calc/ds_system.h"

#include "io/binary_stream.h"

#include <algorithm>
#include <utility>

namespace dalvex {

DSSystem::DSSystem(int32_t itemIndex, std::string displayName, int32_t picture, SystemKind kind, bool plinth,
                   bool edgeProfiles)
    : usesPlinth(plinth), offersEdgeProfiles(edgeProfiles), systemKind(kind) {
    index = itemIndex;
    code = std::move(displayName);
    imageId = picture;
}

SystemOptions DSSystem::defaultOptions() const {
    SystemOptions o;
    o.rollerSet = defaultRollerSet;
    return o;
}

OwnOptions DSSystem::ownOptions() const {
    switch (systemKind) {
    case kSystemBorvik:
        return OwnOptions::Pivot;
    case kSystemFeldor:
        return OwnOptions::Mounting;
    case kSystemGerlit:
        return OwnOptions::RailProfiles;
    default:
        return OwnOptions::None;
    }
}

int DSSystem::handleProfileCount(const OrderOptions&) const {
    return static_cast<int>(handleProfileList.size());
}

std::vector<HandleProfile*> DSSystem::handleProfiles(const OrderOptions&) const {
    return handleProfileList;
}

void DSSystem::setSketchHeight(DoorSketch& sketch, int32_t height, int32_t, int32_t) const {
    sketch.previousHeight = sketch.height;
    sketch.height = height;
}

int DSSystem::maxDoorCount(const OrderOptions&) const {
    return maxDoors;
}

bool DSSystem::isSingleRow(const OrderOptions&) const {
    return singleRow;
}

std::vector<int> DSSystem::offeredDoorCounts(const OrderOptions& options) const {
    std::vector<int> counts;
    for (int n = 1; n <= std::min(maxDoorCount(options), kMaxDoors); ++n)
        counts.push_back(n);
    return counts;
}

void DSSystem::assignRows(DoorSketch& sketch, OrderOptions&) const {
    for (int i = 0; i < kMaxDoors; ++i)
        sketch.doors[i].row = i % 2;
}

void DSSystem::writeSettings(BinaryWriter& out, const OrderOptions& options) const {
    const SystemOptions& mine = own(options);
    out.u8(mine.noEdgeProfiles);
    out.str(mine.rollerSet ? mine.rollerSet->code : std::string());
}

void DSSystem::readSettings(BinaryReader& in, int version, OrderOptions& options) const {
    SystemOptions& mine = own(options);
    if (version > 2) mine.noEdgeProfiles = in.u8() != 0 ? 1 : 0;
    if (version > 4) {
        const std::string stored = in.str();
        if (stored.empty()) {
            mine.rollerSet = nullptr;
        } else {
            // Only a roller set this system offers may be chosen; an unknown code keeps the current one.
            for (const RollerSet* set : rollerSets()) {
                if (set->code == stored) {
                    mine.rollerSet = set;
                    break;
                }
            }
        }
    }
}

int DSSystem::clampDoorCount(int n, const OrderOptions& options) const {
    return std::min(maxDoorCount(options), n);
}

int32_t DSSystem::minPlinthHeight() const {
    return 0;
}

bool DSSystem::rollerSetFits(const DoorSketch& sketch, const RollerSet* set) const {
    if (set == nullptr) return false;
    if (set->symmetry == 0) return true;
    const HandleProfile* handle = sketchHandle(sketch);
    if (handle == nullptr) return true;
    if (set->symmetry == 1) return handle->asymmetric == 0;
    if (set->symmetry == 2) return handle->asymmetric == 1;
    return false;
}

int32_t DSSystem::rollerSetQuantity(int32_t doorCount, const RollerSet* set) const {
    if (set == nullptr) return 0;
    const int64_t perSet = set->doorsPerSet;
    int64_t quantity = 0;
    if (set->perWardrobe != 0) {
        // A set serving zero doors cannot cover any: count one set per door rather than divide by zero.
        if (perSet == 0) {
            quantity = doorCount;
        } else {
            quantity = doorCount / perSet + (doorCount % perSet != 0 ? 1 : 0);
        }
    } else {
        quantity = perSet * doorCount;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(quantity, INT32_MIN, INT32_MAX));
}

const Article* DSSystem::ruleArticle(std::string_view wanted) const {
    if (const Article* listed = findArticle(wanted)) return listed;
    if (lookup != nullptr) return lookup->findArticle(wanted);
    return nullptr;
}

const RollerSet* DSSystem::ruleRollerSet(std::string_view wanted) const {
    return dynamic_cast<const RollerSet*>(ruleArticle(wanted));
}

const Article& DSSystem::orNone(const Article* a) {
    static const Article none;
    return a != nullptr ? *a : none;
}

const HandleProfile* DSSystem::sketchHandle(const DoorSketch& sketch) {
    return dynamic_cast<const HandleProfile*>(sketch.doors[0].frame[kFrameLeft].profile);
}

} // namespace dalvex
