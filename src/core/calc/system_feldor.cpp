#include "calc/geometry_util.h"
#include "calc/systems.h"
#include "io/binary_stream.h"
#include "text/numbers.h"

namespace dalvex {

namespace {

// Extra width of a door mounted in front of the opening, by handle profile; any other profile is built like
// JB300N.
int32_t outsideExtra(const Article& handle) {
    if (handle.code == "JB150") return 670;
    if (handle.code == "JB100") return 1030;
    return 1310;
}

// A single door mounted inside the opening covers half of it plus the handle's allowance.
int32_t insideSingleWidth(const Article& handle, int32_t openingWidth) {
    const int64_t w = openingWidth;
    if (handle.code == "JB100") return clampToInt(w - truncToInt((w - 1130) * 0.5) - 100);
    return clampToInt(w - truncToInt((w - 1360) * 0.5) - 50);
}

} // namespace

DSSystemFeldor::DSSystemFeldor(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemFeldor, false, false) {}

int DSSystemFeldor::handleProfileCount(const OrderOptions& options) const {
    return static_cast<int>(handleProfiles(options).size());
}

std::vector<HandleProfile*> DSSystemFeldor::handleProfiles(const OrderOptions& options) const {
    if (!inside(options)) return handleProfileList;
    const std::vector<HandleProfile*>& all = lookup != nullptr ? lookup->handleProfiles() : handleProfileList;
    std::vector<HandleProfile*> offered;
    for (HandleProfile* p : all)
        if (p->code != "JB150") offered.push_back(p);
    return offered;
}

void DSSystemFeldor::recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const {
    const Article& handle = handleOf(sketch);
    const int32_t n = doorsOf(sketch);
    int32_t w = 0;
    int32_t h = 0;
    int32_t total = -1;
    if (!inside(options)) {
        h = clampToInt(int64_t{sketch.height} + 40);
        w = clampToInt(int64_t{doorShare(sketch.width, sketch.doorCount)} + outsideExtra(handle));
    } else {
        h = clampToInt(int64_t{sketch.height} - 620);
        if (n == 1) {
            w = insideSingleWidth(handle, sketch.width);
            total = sketch.width;
        } else {
            // Two or four doors (three, read from a file, are built the same way).
            w = clampToInt(int64_t{handle.faceWidth / 2} - 50 + doorShare(sketch.width, sketch.doorCount));
        }
    }
    recomputeDoors(sketch, keepDoorWidths, w, h, total);
    putFrames(sketch, ruleArticle("JB08"), ruleArticle("JB07"), -2 * int64_t{handle.joinDeduction} + 10);
    finishGeometry(sketch);
}

int DSSystemFeldor::maxDoorCount(const OrderOptions& options) const {
    return inside(options) ? 4 : 2;
}

bool DSSystemFeldor::isSingleRow(const OrderOptions& options) const {
    return !inside(options);
}

std::vector<int> DSSystemFeldor::offeredDoorCounts(const OrderOptions& options) const {
    // Doors inside the opening come as one, a pair, or two pairs.
    if (inside(options)) return {1, 2, 4};
    return DSSystem::offeredDoorCounts(options);
}

void DSSystemFeldor::assignRows(DoorSketch& sketch, OrderOptions& options) const {
    for (int i = 0; i < kMaxDoors; ++i)
        sketch.doors[i].row = inside(options) ? i % 2 : 0;
}

void DSSystemFeldor::writeSettings(BinaryWriter& out, const OrderOptions& options) const {
    DSSystem::writeSettings(out, options);
    out.i32(own(options).mountInside);
}

void DSSystemFeldor::readSettings(BinaryReader& in, int version, OrderOptions& options) const {
    DSSystem::readSettings(in, version, options);
    if (version > 4) own(options).mountInside = in.i32() != 0 ? 1 : 0;
}

int DSSystemFeldor::clampDoorCount(int n, const OrderOptions& options) const {
    if (inside(options) && n == 3) return 4;
    return DSSystem::clampDoorCount(n, options);
}

void DSSystemFeldor::computeDividerCutLengths(DoorSketch& sketch) const {
    // Feldor's dividers are cut to their span; only horizontal ones meeting the frame lose the handle's join.
    for (int i = 0; i < doorsOf(sketch); ++i) {
        Door& door = sketch.doors[i];
        const Article& leftFrame = orNone(door.frame[kFrameLeft].profile);
        const Article& rightFrame = orNone(door.frame[kFrameRight].profile);
        for (auto& [id, d] : door.dividers) {
            int64_t cut = d.length;
            if (d.vertical == 0) {
                if (door.divider(d.startId) == nullptr) cut += 5 - int64_t{leftFrame.joinDeduction};
                if (door.divider(d.endId) == nullptr) cut += 5 - int64_t{rightFrame.joinDeduction};
            }
            d.cutLength = clampToInt(cut);
            d.axis =
                clampToInt(int64_t{d.position} - (d.profile != nullptr ? d.profile->fillingInset : 0) / 2);
        }
    }
}

} // namespace dalvex
