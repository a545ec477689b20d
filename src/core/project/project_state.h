#pragma once
// The order as a plain value: everything an undo step must put back (the chosen records, the dimensions, the
// sketch, the card, and the options kept in the calculators and records, which the order shares with the
// catalogue). The calculation is not kept: it follows from the rest.
#include "calc/ds_system.h"
#include "records/order_card.h"
#include "sketch/door_sketch.h"

#include <cstdint>
#include <vector>

namespace dalvex {

class Project;

struct SystemSettings {
    uint8_t noEdgeProfiles = 0;
    RollerSet* rollerSet = nullptr;
    SystemOptions options;
};

struct ProjectState {
    DSSystem* calculator = nullptr;
    const HandleProfile* handleProfile = nullptr;
    const ProfileColor* profileColor = nullptr;
    const DividerProfile* dividerProfile = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t doorCount = 0;
    double discountPercent = 0.0;
    int32_t chipboardWidth = 0;
    int32_t plinthHeight = 0;
    DoorSketch sketch{0, 0, 0, nullptr, false};
    OrderCard card;
    std::vector<SystemSettings> systems; // every calculator's, in catalogue order
    std::vector<uint8_t> barChoices;     // every handle profile's bar length choice, in catalogue order
};

ProjectState captureState(const Project& project);
// Puts the state back and recalculates keeping the door widths (the sketch holds them).
void restoreState(Project& project, const ProjectState& state);

} // namespace dalvex
