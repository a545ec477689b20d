#pragma once
// Random projects for the tests that check whole results: a random system, handle profile, edge profiles,
// dimensions and door count, and up to four dividers a door, calculated.
#include "calc/systems.h"
#include "catalogue/catalogue.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "sketch_test_support.h"

#include <algorithm>
#include <random>

namespace dalvex::test {

// The choices through `editor`, the dividers drawn by hand into `project` (the editor would refuse one where
// the profile does not go).
inline void randomProject(Project& project, ProjectEditor& editor, const Catalogue& catalogue,
                          std::mt19937& rng) {
    const auto& systems = catalogue.systems();
    editor.apply(edit::SelectSystem{systems[rng() % systems.size()]});
    const auto handles = project.calculator->handleProfiles(project.options);
    if (!handles.empty()) editor.apply(edit::SetHandleProfile{handles[rng() % handles.size()]});
    if (project.calculator->offersEdgeProfiles && rng() % 2 == 0) editor.apply(edit::ToggleOption{});
    editor.apply(edit::SetWidth{8000 + static_cast<int32_t>(rng() % 40000)});
    editor.apply(edit::SetHeight{16000 + static_cast<int32_t>(rng() % 12000)});
    const auto most = static_cast<uint32_t>(project.calculator->maxDoorCount(project.options));
    editor.apply(edit::SetDoorCount{1 + static_cast<int32_t>(rng() % most)});
    for (int k = 0; k < project.doorCount; ++k) {
        Door& door = project.sketch.doors[k];
        const int splits = static_cast<int>(rng() % 5);
        for (int s = 0; s < splits; ++s) {
            splitAt(door,
                    {static_cast<int>(rng() % static_cast<uint32_t>(std::max(1, door.width))),
                     static_cast<int>(rng() % static_cast<uint32_t>(std::max(1, door.height)))},
                    project.dividerProfile, rng() % 2 == 0);
        }
    }
    editor.apply(edit::SetWidth{project.width}); // calculated anew, as after any change
}

} // namespace dalvex::test
