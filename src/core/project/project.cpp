#include "project/project.h"

#include "calc/line_amounts.h"
#include "catalogue/catalogue.h"
#include "orders/order_numbers.h"
#include "sketch/door_limits.h"
#include "sketch/opening_limits.h"
#include "sketch/sketch_units.h"
#include "text/format.h"

#include <algorithm>
#include <utility>

namespace dalvex {

Project::Project(const Catalogue& catalogue, std::filesystem::path configFolder, CuttingSettings settings)
    : sketch(30000, 20000, 3, nullptr, false), cutting(settings), catalogue_(&catalogue),
      configFolder_(std::move(configFolder)) {
    const EditPass pass;
    options = catalogue.defaultOptions();
    newOrderCard(pass);
    if (!catalogue_->systems().empty()) calculator = catalogue_->systems().front();
    selectDefaultHandleProfile();
    selectDefaultColor();
    selectDefaultDividerProfile();
    // The first sketch takes the opening height as it is; the system's height rule applies from the first
    // change of a dimension on.
    sketch =
        DoorSketch(width, height, doorCount, handleProfile, calculator && calculator->isSingleRow(options));
    recalculate(pass, false);
}

void Project::newOrderCard(EditPass) {
    resetOrderCard(orderCard, configFolder_);
    offeredOrderNumber = orderCard.orderNumber;
}

void Project::offerNextOrderNumber(EditPass) {
    orderCard.orderNumber = nextOrderNumber(configFolder_);
    offeredOrderNumber = orderCard.orderNumber;
}

void Project::recalculate(EditPass, bool keepDoorWidths) {
    if (calculator) calculator->recompute(sketch, options, keepDoorWidths);
    sketch.numberItems();
    if (calculator)
        calculator->collect(sketch, options, result, profileColor);
    else
        result.clear();
    finishResult();
}

void Project::finishResult() {
    applyCuttingSettings(result, cutting);
    checkLineAmounts(result);
    if (!result.articleLines.empty()) result.articleLines.front().warning = doorWidthWarning(sketch);
    result.doorLines = doorLinesOf(result, sketch, doorCount);
}

std::vector<DoorLine> doorLinesOf(const CalcResult& result, const DoorSketch& sketch, int32_t doorCount) {
    std::vector<DoorLine> lines;
    const int count = sketch::doorsInUse(doorCount);
    for (int i = 0; i < count; ++i) {
        const int32_t n = sketch.doors[i].index;
        const std::string doorNumber = format("%d", n + 1);
        for (const CutLine& cut : result.cutLines)
            if (cut.doorIndex == n)
                lines.push_back({doorNumber, "Профиль", cut.code, cut.name, cut.number});
        for (const PanelLine& panel : result.panelLines)
            if (panel.doorIndex == n)
                lines.push_back(
                    {doorNumber, "Вставка", panel.materialName, panel.materialDescription, panel.number});
    }
    return lines;
}

void Project::applySketchHeight() {
    if (calculator) calculator->setSketchHeight(sketch, height, chipboardWidth, plinthHeight);
}

bool Project::setWidth(EditPass pass, int32_t w) {
    if (w < kMinOpeningWidth || w > kMaxOpeningWidth) return false;
    width = w;
    sketch.previousWidth = sketch.width;
    sketch.width = w;
    recalculate(pass, false);
    return true;
}

bool Project::setHeight(EditPass pass, int32_t h) {
    if (h < kMinOpeningHeight || h > kMaxOpeningHeight) return false;
    height = h;
    applySketchHeight();
    recalculate(pass, false);
    return true;
}

bool Project::setDoorCount(EditPass pass, int32_t n) {
    if (n == doorCount) return false;
    // The sketch holds ten doors at most; a count the system does not offer would leave doors without
    // geometry.
    const int limit = calculator ? std::min(calculator->maxDoorCount(options), kMaxDoors) : kMaxDoors;
    if (n < 1 || n > limit) return false;
    doorCount = n;
    sketch.previousDoorCount = sketch.doorCount;
    sketch.doorCount = n;
    if (calculator) calculator->assignRows(sketch, options);
    recalculate(pass, false);
    return true;
}

bool Project::setChipboardWidth(EditPass pass, int32_t c) {
    if (c < 0 || c > kMaxChipboardWidth) return false;
    chipboardWidth = c;
    applySketchHeight();
    recalculate(pass, false);
    return true;
}

bool Project::setPlinthHeight(EditPass pass, int32_t p) {
    if (p < kMinPlinthHeight || p > kMaxPlinthHeight || p > height) return false;
    plinthHeight = p;
    applySketchHeight();
    recalculate(pass, false);
    return true;
}

void Project::setHandleProfile(EditPass pass, const HandleProfile* h) {
    if (h == handleProfile) return;
    handleProfile = h;
    sketch.resizePending = true;
    selectDefaultColor();
    sketch.handleProfile = h;
    recalculate(pass, false);
}

void Project::selectSystem(EditPass pass, const DSSystem* s) {
    if (!s || s == calculator) return;
    calculator = s;
    doorCount = std::clamp(s->clampDoorCount(doorCount, options), 1, kMaxDoors);
    // The new system's own minimum, even when that is lower than the plinth used so far.
    plinthHeight = s->minPlinthHeight();
    selectDefaultHandleProfile();
    selectDefaultColor();
    selectDefaultDividerProfile();
    rebuildSketch(pass);
}

void Project::mountingChanged(EditPass pass) {
    if (!calculator) return;
    doorCount = std::clamp(std::min(doorCount, calculator->maxDoorCount(options)), 1, kMaxDoors);
    plinthHeight = std::max(plinthHeight, calculator->minPlinthHeight());
    selectDefaultHandleProfile();
    selectDefaultColor();
    selectDefaultDividerProfile();
    rebuildSketch(pass);
}

void Project::selectDefaultHandleProfile() {
    handleProfile = nullptr;
    if (!calculator) return;
    const std::vector<HandleProfile*> offered = calculator->handleProfiles(options);
    if (!offered.empty()) handleProfile = offered.front();
}

void Project::selectDefaultColor() {
    if (!handleProfile) {
        profileColor = nullptr;
        return;
    }
    // A handle profile without any colour leaves the current colour as it is.
    if ((!profileColor || !handleProfile->offers(profileColor)) && !handleProfile->colors().empty())
        profileColor = handleProfile->colors().front().color;
}

void Project::selectDefaultDividerProfile() {
    if (!calculator) {
        dividerProfile = nullptr;
    } else if (!dividerProfile || !calculator->hasDividerProfile(dividerProfile)) {
        dividerProfile = calculator->dividerProfiles.empty() ? nullptr : calculator->dividerProfiles.front();
    }
}

void Project::setProfileColor(EditPass, const ProfileColor* c) {
    if (c == profileColor) return;
    profileColor = c;
    // The geometry does not depend on the colour: only the prices change.
    if (calculator) calculator->collect(sketch, options, result, profileColor);
    finishResult();
}

void Project::setDividerProfile(EditPass, const DividerProfile* d) {
    if (d == dividerProfile) return;
    dividerProfile = d;
}

void Project::rebuildSketch(EditPass pass) {
    sketch =
        DoorSketch(width, height, doorCount, handleProfile, calculator && calculator->isSingleRow(options));
    if (calculator) calculator->assignRows(sketch, options);
    applySketchHeight();
    recalculate(pass, false);
}

bool Project::setDiscountPercent(EditPass, double percent) {
    if (!(percent >= 0.0 && percent <= 100.0)) return false; // NaN is refused too
    discountPercent = percent;
    result.discountPercent = percent;
    result.totalsDirty = true;
    return true;
}

void Project::toggleMountInside(EditPass pass) {
    if (!calculator || calculator->ownOptions() != OwnOptions::Mounting) return;
    int32_t& inside = calculator->own(options).mountInside;
    inside = inside ? 0 : 1;
    mountingChanged(pass);
}

void Project::toggleEdgeProfiles(EditPass pass) {
    if (!calculator) return;
    uint8_t& off = calculator->own(options).noEdgeProfiles;
    off = off ? 0 : 1;
    // The edge profiles change neither the handle list nor the door widths.
    recalculate(pass, true);
}

} // namespace dalvex
