#include "calc/geometry_util.h"
#include "calc/gerlit_rails.h"
#include "calc/systems.h"

namespace dalvex {

namespace {

// Options without the references (a fresh OrderOptions) hold the defaults: JG01 running, JG04 guide.
bool runsOnTwoRails(const SystemOptions& o) {
    return o.runningProfile == nullptr || gerlitRail(o.runningProfile->code).channels == 2;
}
bool guideIsInlaid(const SystemOptions& o) {
    return o.guideProfile == nullptr || gerlitRail(o.guideProfile->code).letIn;
}

} // namespace

DSSystemGerlit::DSSystemGerlit(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemGerlit, false, false) {}

SystemOptions DSSystemGerlit::defaultOptions() const {
    SystemOptions o = DSSystem::defaultOptions();
    o.runningProfile = ruleArticle("JG01");
    o.guideProfile = ruleArticle("JG04");
    return o;
}

void DSSystemGerlit::recompute(DoorSketch& sketch, const OrderOptions& options, bool) const {
    // Gerlit doors have no frame: the door sizes are always taken anew and every panel fills its insert.
    const SystemOptions& mine = own(options);
    const int64_t overlap = runsOnTwoRails(mine) ? int64_t{sketch.overlapCount()} * 50 : 0;
    const int32_t w = doorShare(int64_t{sketch.width} + overlap, sketch.doorCount);
    const int32_t h = clampToInt(int64_t{sketch.height} - (guideIsInlaid(mine) ? 160 : 450));
    recomputeDoors(sketch, false, w, h);
    computePanels(sketch);
}

void DSSystemGerlit::toggleRunningProfile(OrderOptions& options) const {
    SystemOptions& mine = own(options);
    if (runsOnTwoRails(mine)) {
        mine.runningProfile = ruleArticle("JG02");
        mine.guideProfile = ruleArticle("JG04");
    } else {
        mine.runningProfile = ruleArticle("JG01");
    }
}

void DSSystemGerlit::toggleGuideProfile(OrderOptions& options) const {
    SystemOptions& mine = own(options);
    // With the single running profile the guide first goes back to JG04 and is then switched as with JG01,
    // so the toggle always leaves JG03 there.
    if (!runsOnTwoRails(mine)) mine.guideProfile = ruleArticle("JG04");
    mine.guideProfile = ruleArticle(guideIsInlaid(mine) ? "JG03" : "JG04");
}

} // namespace dalvex
