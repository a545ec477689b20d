#include "project/project_state.h"

#include "project/project.h"
#include "project/project_files.h"

namespace dalvex {

ProjectState captureState(const Project& project) {
    return fileDataOf(project);
}

void restoreState(Project& project, const ProjectState& state) {
    putBackState(project, state);
    project.recalculate(true);
}

void putBackState(Project& project, const ProjectState& state) {
    takeFileData(project, state);
}

} // namespace dalvex
