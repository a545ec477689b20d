#include "calc/geometry_util.h"
#include "calc/systems.h"

namespace dalvex {

namespace {

// The defaults (JG01 running, JG04 guide) hold until the Catalogue has filled in the references.
bool runsOnTwoRails(const DSSystemGerlit& s) {
    return s.runningProfile == nullptr || s.runningProfile->code == "JG01";
}
bool guideIsInlaid(const DSSystemGerlit& s) {
    return s.guideProfile == nullptr || s.guideProfile->code == "JG04";
}

} // namespace

DSSystemGerlit::DSSystemGerlit(int32_t itemIndex, std::string displayName, int32_t picture)
    : DSSystem(itemIndex, std::move(displayName), picture, kSystemGerlit, false, false) {}

void DSSystemGerlit::recompute(DoorSketch& sketch, bool) {
    // Gerlit doors have no frame: the door sizes are always taken anew and every panel fills its insert.
    const int64_t overlap = runsOnTwoRails(*this) ? int64_t{sketch.overlapCount()} * 50 : 0;
    const int32_t w = doorShare(int64_t{sketch.width} + overlap, sketch.doorCount);
    const int32_t h = clampToInt(int64_t{sketch.height} - (guideIsInlaid(*this) ? 160 : 450));
    recomputeDoors(sketch, false, w, h);
    computePanels(sketch);
}

void DSSystemGerlit::toggleRunningProfile() {
    if (runsOnTwoRails(*this)) {
        runningProfile = ruleArticle("JG02");
        guideProfile = ruleArticle("JG04");
    } else {
        runningProfile = ruleArticle("JG01");
    }
}

void DSSystemGerlit::toggleGuideProfile() {
    // With the single running profile the guide first goes back to JG04 and is then switched as with JG01,
    // so the toggle always leaves JG03 there.
    if (!runsOnTwoRails(*this)) guideProfile = ruleArticle("JG04");
    guideProfile = ruleArticle(guideIsInlaid(*this) ? "JG03" : "JG04");
}

void DSSystemGerlit::bindRuleArticles() {
    if (lookup == nullptr) return;
    runningProfile = lookup->findArticle("JG01");
    guideProfile = lookup->findArticle("JG04");
}

SystemOptions DSSystemGerlit::options() const {
    SystemOptions o;
    o.runningProfile = runningProfile;
    o.guideProfile = guideProfile;
    return o;
}

void DSSystemGerlit::setOptions(const SystemOptions& o) {
    if (o.runningProfile) runningProfile = o.runningProfile;
    if (o.guideProfile) guideProfile = o.guideProfile;
}

} // namespace dalvex
