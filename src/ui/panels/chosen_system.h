#pragma once
// The options of the project's chosen system, and which of its own it offers; none without a system.
#include "calc/ds_system.h"
#include "project/project.h"

namespace dalvex::ui {

inline OwnOptions ownOptionsOf(const Project& project) {
    return project.calculator ? project.calculator->ownOptions() : OwnOptions::None;
}
inline const SystemOptions& chosenOptions(const Project& project) {
    static const SystemOptions none;
    return project.calculator ? project.calculator->own(project.options) : none;
}

} // namespace dalvex::ui
