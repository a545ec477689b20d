#include "calc/ds_system.h"

#include "catalogue/catalogue.h"
#include "files/binary_stream.h"

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

int DSSystem::handleProfileCount() {
    return static_cast<int>(handleProfileList.size());
}

std::vector<HandleProfile*> DSSystem::handleProfiles() {
    return handleProfileList;
}

void DSSystem::setSketchHeight(DoorSketch& sketch, int32_t height, int32_t, int32_t) {
    sketch.previousHeight = sketch.height;
    sketch.height = height;
    sketch.dirty = true;
}

int DSSystem::maxDoorCount() {
    return maxDoors;
}

bool DSSystem::isSingleRow() {
    return singleRow;
}

void DSSystem::assignRows(DoorSketch& sketch) {
    for (int i = 0; i < kMaxDoors; ++i)
        sketch.doors[i].row = i % 2;
}

void DSSystem::writeSettings(BinaryWriter& out) const {
    out.u8(noEdgeProfiles);
    out.str(rollerSetCode());
}

void DSSystem::readSettings(BinaryReader& in, int version) {
    if (version > 2) noEdgeProfiles = in.u8() != 0 ? 1 : 0;
    if (version > 4) {
        const std::string stored = in.str();
        if (stored.empty()) {
            rollerSet = nullptr;
        } else {
            // Only a roller set this system offers may be chosen; an unknown code keeps the current one.
            for (RollerSet* set : rollerSets()) {
                if (set->code == stored) {
                    rollerSet = set;
                    break;
                }
            }
        }
    }
}

int DSSystem::clampDoorCount(int n) {
    return std::min(maxDoorCount(), n);
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

HandleProfile* DSSystem::findHandleProfile(std::string_view wanted) const {
    for (HandleProfile* p : handleProfileList)
        if (p->code == wanted) return p;
    return nullptr;
}

DividerProfile* DSSystem::findDividerProfile(std::string_view wanted) const {
    for (DividerProfile* p : dividerProfiles)
        if (p->code == wanted) return p;
    return nullptr;
}

Article* DSSystem::findArticle(std::string_view wanted) const {
    for (Article* a : articles)
        if (a->code == wanted) return a;
    return nullptr;
}

std::string DSSystem::rollerSetCode() const {
    return rollerSet != nullptr ? rollerSet->code : std::string();
}

int DSSystem::configuredRollerSetCount() const {
    if (rollerSet == nullptr) return 0;
    return static_cast<int>(std::count_if(articles.begin(), articles.end(),
                                          [](const Article* a) { return a->kind == kKindRollerSet; }));
}

std::vector<RollerSet*> DSSystem::rollerSets() const {
    std::vector<RollerSet*> sets;
    for (Article* a : articles) {
        if (a->kind != kKindRollerSet) continue;
        if (auto* set = dynamic_cast<RollerSet*>(a)) sets.push_back(set);
    }
    return sets;
}

bool DSSystem::hasDividerProfile(const DividerProfile* p) const {
    return p != nullptr &&
           std::find(dividerProfiles.begin(), dividerProfiles.end(), p) != dividerProfiles.end();
}

const Article* DSSystem::ruleArticle(std::string_view wanted) const {
    if (const Article* own = findArticle(wanted)) return own;
    if (catalogue != nullptr) return catalogue->findArticle(wanted);
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
