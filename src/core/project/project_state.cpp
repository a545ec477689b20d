#include "project/project_state.h"

#include "project/project.h"
#include "project/project_files.h"

namespace dalvex {

ProjectState captureState(const Project& project) {
    return fileDataOf(project);
}

void restoreState(EditPass pass, Project& project, const ProjectState& state) {
    putBackState(pass, project, state);
    project.recalculate(pass, true);
}

void putBackState(EditPass pass, Project& project, const ProjectState& state) {
    takeFileData(pass, project, state);
}

} // namespace dalvex
