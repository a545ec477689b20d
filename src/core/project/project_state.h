#pragma once
// The order as a plain value: everything an undo step must put back (what the sketch file holds, and the
// options kept in the calculators and records, which the order shares with the catalogue). The calculation is
// not kept: it follows from the rest.
#include "calc/ds_system.h"
#include "files/sketch_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dalvex {

class Project;

struct SystemSettings {
    uint8_t noEdgeProfiles = 0;
    RollerSet* rollerSet = nullptr;
    SystemOptions options;
};

struct ProjectState {
    SketchFileData order;
    std::vector<SystemSettings> systems; // every calculator's, in catalogue order
    std::vector<uint8_t> barChoices;     // every handle profile's bar length choice, in catalogue order
};

ProjectState captureState(const Project& project);
// Puts the state back and recalculates keeping the door widths (the sketch holds them).
void restoreState(Project& project, const ProjectState& state);
// What tells two states apart: equal keys, equal orders.
std::string stateKey(const ProjectState& state);

} // namespace dalvex
